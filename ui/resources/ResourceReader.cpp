#include "ui/resources/ResourceReader.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "ui/resources/UIResources.h"
#include "ui/resources/ZipArchive.h"

namespace pelmo::ui {

namespace {

// Skin folders and names written for Windows use "\"; Linux needs "/".
std::string filePath(std::string_view name)
{
    std::string path = UIResources::GetSkinFolder() + std::string(name);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

ResourceBytes readFile(const std::string& path, std::size_t limit)
{
    ResourceBytes result;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status {};
    if (fd < 0 || ::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        if (fd >= 0)
            ::close(fd);
        result.error = ResourceError::CannotOpen;
        return result;
    }
    std::size_t size = static_cast<std::size_t>(status.st_size);
    if (size == 0)
        result.error = ResourceError::Empty;
    else if (size > limit)
        result.error = ResourceError::TooLarge;
    if (result.error != ResourceError::None) {
        ::close(fd);
        return result;
    }
    result.bytes.resize(size);
    std::size_t done = 0;
    while (done < size) {
        ssize_t got = ::read(fd, result.bytes.data() + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    if (done != size) {
        result.bytes.clear();
        result.error = ResourceError::CannotRead;
    }
    return result;
}

ResourceBytes readModuleResource(std::string_view name, std::string_view type, std::size_t limit)
{
    ResourceBytes result;
    const ResourceModule* module = UIResources::GetLayoutModule();
    // The name is a resource id written in decimal.
    long id = 0;
    std::size_t digits = 0;
    while (digits < name.size() && std::isdigit(static_cast<unsigned char>(name[digits])) && id < 0x10000)
        id = id * 10 + (name[digits++] - '0');
    const ResourceEntry* entry = module && digits > 0 && id < 0x10000 ? module->find(static_cast<int>(id), type) : nullptr;
    if (!entry)
        result.error = ResourceError::CannotOpen;
    else if (entry->bytes.empty())
        result.error = ResourceError::Empty;
    else if (entry->bytes.size() > limit)
        result.error = ResourceError::TooLarge;
    else
        result.bytes.assign(entry->bytes.begin(), entry->bytes.end());
    return result;
}

ResourceBytes readArchiveItem(std::string_view name, std::size_t limit)
{
    ResourceBytes result;
    ResourceBytes archiveBytes = readFile(filePath(UIResources::GetSkinArchive()), ResourceReader::archiveLimit);
    std::optional<ZipArchive> archive;
    if (archiveBytes)
        archive = ZipArchive::open(std::move(archiveBytes.bytes));
    if (!archive) {
        result.error = ResourceError::CannotOpen;
        return result;
    }
    // Items are named with "/" inside an archive.
    std::string itemName(name);
    std::replace(itemName.begin(), itemName.end(), '\\', '/');
    switch (archive->extract(itemName, limit, result.bytes)) {
    case ZipArchive::Status::Ok:
        break;
    case ZipArchive::Status::NotFound:
        result.error = ResourceError::NotInArchive;
        break;
    case ZipArchive::Status::Empty:
        result.error = ResourceError::Empty;
        break;
    case ZipArchive::Status::TooLarge:
        result.error = ResourceError::TooLarge;
        break;
    case ZipArchive::Status::Failed:
        result.error = ResourceError::CannotUnzip;
        break;
    }
    return result;
}

} // namespace

ResourceBytes ResourceReader::read(std::string_view name, std::string_view type, std::size_t limit)
{
    if (!type.empty())
        return readModuleResource(name, type, limit);
    if (UIResources::GetSkinArchive().empty())
        return readFile(filePath(name), limit);
    return readArchiveItem(name, limit);
}

std::string_view ResourceReader::errorText(ResourceError error)
{
    switch (error) {
    case ResourceError::None:
        return "";
    case ResourceError::CannotOpen:
        return "Error opening file";
    case ResourceError::Empty:
        return "File is empty";
    case ResourceError::TooLarge:
        return "File too large";
    case ResourceError::CannotRead:
        return "Could not read file";
    case ResourceError::NotInArchive:
        return "Could not find ziped file";
    case ResourceError::CannotUnzip:
        return "Could not unzip file";
    }
    return "";
}

} // namespace pelmo::ui
