#pragma once

#include <memory>
#include <typeinfo>

namespace pelmo::ui {

// A callable that an event source keeps: an object and a function taking
// one argument (the event, notification or control of the source) and
// answering whether the source should go on. Two delegates are equal when
// they call the same function on the same object.
class CDelegateBase {
public:
    virtual ~CDelegateBase() = default;
    virtual std::unique_ptr<CDelegateBase> Copy() const = 0;
    virtual bool Invoke(void* argument) = 0;
    virtual bool Equals(const CDelegateBase& other) const = 0;
    void* GetObject() const { return object_; }

protected:
    explicit CDelegateBase(void* object) : object_(object) {}
    CDelegateBase(const CDelegateBase&) = default;
    CDelegateBase& operator=(const CDelegateBase&) = default;

private:
    void* object_;
};

// A member function of T.
template <class T>
class CDelegate final : public CDelegateBase {
public:
    using Method = bool (T::*)(void*);
    CDelegate(T* object, Method method) : CDelegateBase(object), object_(object), method_(method) {}

    std::unique_ptr<CDelegateBase> Copy() const override { return std::make_unique<CDelegate>(*this); }
    bool Invoke(void* argument) override { return (object_->*method_)(argument); }
    bool Equals(const CDelegateBase& other) const override
    {
        const auto* same = dynamic_cast<const CDelegate*>(&other);
        return same && same->object_ == object_ && same->method_ == method_;
    }

private:
    T* object_;
    Method method_;
};

// A free function.
class CDelegateStatic final : public CDelegateBase {
public:
    using Function = bool (*)(void*);
    explicit CDelegateStatic(Function function) : CDelegateBase(nullptr), function_(function) {}

    std::unique_ptr<CDelegateBase> Copy() const override { return std::make_unique<CDelegateStatic>(*this); }
    bool Invoke(void* argument) override { return function_(argument); }
    bool Equals(const CDelegateBase& other) const override
    {
        const auto* same = dynamic_cast<const CDelegateStatic*>(&other);
        return same && same->function_ == function_;
    }

private:
    Function function_;
};

template <class T>
CDelegate<T> MakeDelegate(T* object, bool (T::*method)(void*))
{
    return CDelegate<T>(object, method);
}
inline CDelegateStatic MakeDelegate(bool (*function)(void*)) { return CDelegateStatic(function); }

} // namespace pelmo::ui
