// ui-sample: renders the UI framework's test picture (1025 x 701, the main
// window's size) to a PNG file: images with cut-outs, nine slices, tiling,
// fading and a colour key; gradients; borders; plain and markup text in
// Latin and Chinese. Usage: ui-sample [OUTPUT.png]

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/graphics/PngWriter.h"
#include "platform/graphics/TextLayout.h"
#include "tools/ui-sample/SampleSkin.h"
#include "ui/painter/CUIPainter.h"
#include "ui/painter/UIPaintResources.h"
#include "ui/resources/UIResources.h"

using pelmo::platform::Rect;
using pelmo::platform::Surface;
using pelmo::platform::TextStyle;
using pelmo::ui::CUIPainter;
using pelmo::ui::UIDC;

namespace {

void label(UIDC& dc, Rect rect, const char* text, std::uint32_t colour, int font, unsigned style)
{
    CUIPainter::DrawText(dc, rect, text, colour, font, style);
}

void markup(UIDC& dc, Rect rect, const char* text, unsigned style = TextStyle::SingleLine | TextStyle::VCenter)
{
    Rect links[8];
    std::string targets[8];
    int count = 8;
    CUIPainter::DrawMarkupText(dc, rect, text, 0xFFFFFFFF, links, targets, count, style);
}

void caption(UIDC& dc, int x, int y, const char* text)
{
    label(dc, Rect{x, y, x + 320, y + 16}, text, 0xFFB8C4D8, 4, TextStyle::SingleLine);
}

} // namespace

int main(int argc, char** argv)
{
    std::string output = argc > 1 ? argv[1] : "ui-sample.png";
    std::string folder = (std::filesystem::temp_directory_path() / "pelmo-ui-sample-XXXXXX").string();
    if (!::mkdtemp(folder.data())) {
        std::perror("ui-sample: cannot make a temporary folder");
        return 1;
    }
    if (!pelmo::tools::writeSampleSkin(folder + "/"))
        return 1;
    pelmo::ui::UIResources::SetSkinFolder(folder);

    pelmo::ui::UIPaintResources resources;
    // The main window's font list: Verdana 14 and 12, the two Chinese faces, Verdana 11.
    resources.AddFont({"Verdana", 14});
    resources.AddFont({"Verdana", 12});
    resources.AddFont({"Microsoft JhengHei", 14});
    resources.AddFont({"微软雅黑", 14});
    resources.AddFont({"Verdana", 11});
    resources.SetDefaultFont({"Verdana", 12});
    resources.linkColour = 0xFF8CB4FF;
    resources.linkHoverColour = 0xFFFF7070;
    // As if the pointer rested on the second link.
    resources.mouseX = 880;
    resources.mouseY = 296;

    Surface surface(1025, 701);
    UIDC dc{&surface, surface.bounds(), nullptr, &resources};
    const Rect all = surface.bounds();

    CUIPainter::DrawImageDescription(dc, all, all, "background.png");
    CUIPainter::FillGradient(dc, Rect{0, 0, 1025, 44}, 0xFF3A4A70, 0xFF151C2C, true, 64);
    CUIPainter::StrokeLine(dc, 0, 44, 1025, 44, 1, 0xFF6F86B8);
    label(dc, Rect{16, 0, 600, 44}, "Pelmo — UI framework test picture", 0xFFFFFFFF, 0,
          TextStyle::SingleLine | TextStyle::VCenter);
    label(dc, Rect{600, 0, 1009, 44}, "鼠标设置 · 滑鼠設定", 0xFFFFD070, 3,
          TextStyle::SingleLine | TextStyle::VCenter | TextStyle::Right);

    // Column 1: images.
    caption(dc, 20, 56, "Button states: source cut-outs of one strip");
    const char* states[] = {"file='buttons.png' source='0,0,96,32'", "file='buttons.png' source='96,0,192,32'",
                            "file='buttons.png' source='192,0,288,32'"};
    for (int i = 0; i < 3; ++i) {
        Rect button{20 + i * 104, 76, 116 + i * 104, 108};
        CUIPainter::DrawImageDescription(dc, button, all, states[i]);
        label(dc, button, i == 0 ? "Normal" : i == 1 ? "Hot" : "Pushed", 0xFFFFFFFF, 1,
              TextStyle::SingleLine | TextStyle::VCenter | TextStyle::Center);
    }

    caption(dc, 20, 120, "Nine slices, stretched centre, hole, fade");
    CUIPainter::DrawImageDescription(dc, Rect{20, 140, 180, 230}, all, "file='panel.png' corner='12,12,12,12'");
    CUIPainter::DrawImageDescription(dc, Rect{190, 140, 330, 230}, all,
                                     "file='panel.png' corner='12,12,12,12' hole='true'");
    CUIPainter::DrawImageDescription(dc, Rect{20, 238, 180, 290}, all, "file='panel.png' corner='12,12,12,12' fade='110'");
    CUIPainter::DrawImageDescription(dc, Rect{190, 238, 330, 290}, all, "file='panel.png'");
    label(dc, Rect{20, 140, 180, 230}, "corner 12", 0xFF202020, 1, TextStyle::SingleLine | TextStyle::VCenter | TextStyle::Center);

    caption(dc, 20, 300, "Tiling, colour key, stretched cut-out");
    CUIPainter::DrawImageDescription(dc, Rect{20, 320, 180, 380}, all, "file='checker.png' xtiled='true' ytiled='true'");
    CUIPainter::DrawImageDescription(dc, Rect{190, 320, 230, 360}, all, "keyed.png");
    CUIPainter::DrawImageDescription(dc, Rect{240, 320, 280, 360}, all, "file='keyed-mask.png' mask='#FFFFFFFF'");
    CUIPainter::DrawImageDescription(dc, Rect{290, 320, 330, 380}, all, "file='dots.png' source='16,0,32,16'");
    CUIPainter::DrawImageDescription(dc, Rect{20, 388, 330, 404}, all,
                                     "file='dots.png' source='0,0,16,16' dest='0,0,16,16' file='dots.png' "
                                     "source='32,0,48,16' dest='20,0,36,16' file='dots.png' source='48,0,64,16'",
                                     "dest='40,0,56,16'");

    // Column 2: colours, gradients, borders.
    caption(dc, 360, 56, "Background colours: one, two and three stops");
    CUIPainter::PaintBackgroundColour(dc, Rect{360, 76, 460, 136}, all, 0xFF2E8B57, 0, 0);
    CUIPainter::PaintBackgroundColour(dc, Rect{470, 76, 570, 136}, all, 0xFFFF8C00, 0xFF8B0000, 0);
    CUIPainter::PaintBackgroundColour(dc, Rect{580, 76, 680, 136}, all, 0xFF1E90FF, 0xFFFFFFFF, 0xFF1E90FF);
    CUIPainter::FillColour(dc, Rect{360, 146, 680, 166}, 0x80FFFFFF);
    CUIPainter::FillGradient(dc, Rect{360, 172, 680, 192}, 0xFF000000, 0xFFFF0000, false, 64);
    CUIPainter::FillGradient(dc, Rect{360, 196, 680, 216}, 0x80FFFF00, 0x8000FFFF, false, 64);

    caption(dc, 360, 226, "Borders: square, rounded, focused, lines");
    CUIPainter::PaintBorder(dc, Rect{360, 246, 450, 286}, 1, 0, 0, 0xFFFFFFFF, 0, false);
    CUIPainter::PaintBorder(dc, Rect{460, 246, 550, 286}, 2, 12, 12, 0xFFFFD070, 0, false);
    CUIPainter::PaintBorder(dc, Rect{560, 246, 680, 286}, 3, 20, 20, 0xFF808080, 0xFF30FF90, true);
    CUIPainter::StrokeLine(dc, 360, 300, 680, 330, 2, 0xFFFF6060);
    CUIPainter::StrokeLine(dc, 360, 330, 680, 300, 1, 0xFF60A0FF);

    // Plain text styles.
    caption(dc, 360, 340, "Plain text styles");
    const Rect box{360, 360, 680, 384};
    CUIPainter::FillColour(dc, box, 0x40FFFFFF);
    label(dc, Rect{box.left + 4, box.top, box.right - 4, box.bottom}, "Left & vertically centred", 0xFFFFFFFF, 1,
          TextStyle::SingleLine | TextStyle::VCenter);
    const Rect box2{360, 388, 680, 412};
    CUIPainter::FillColour(dc, box2, 0x40FFFFFF);
    label(dc, box2, "Centred", 0xFFFFFFFF, 1, TextStyle::SingleLine | TextStyle::VCenter | TextStyle::Center);
    const Rect box3{360, 416, 680, 440};
    CUIPainter::FillColour(dc, box3, 0x40FFFFFF);
    label(dc, box3, "Right", 0xFFFFFFFF, 1, TextStyle::SingleLine | TextStyle::VCenter | TextStyle::Right);
    const Rect box4{360, 444, 520, 468};
    CUIPainter::FillColour(dc, box4, 0x40FFFFFF);
    label(dc, box4, "An end ellipsis cuts this long line", 0xFFFFFFFF, 1,
          TextStyle::SingleLine | TextStyle::VCenter | TextStyle::EndEllipsis);
    const Rect box5{360, 472, 680, 540};
    CUIPainter::FillColour(dc, box5, 0x40FFFFFF);
    label(dc, box5,
          "Word break wraps this paragraph at blanks so that it fits the box, and Chinese text "
          "混合中文文字也能正确换行。",
          0xFFFFFFFF, 3, TextStyle::WordBreak);

    // Column 3: markup text.
    caption(dc, 700, 56, "Markup text");
    markup(dc, Rect{700, 76, 1010, 100}, "Plain, {b}bold{/b}, {i}italic{/i}, {u}underlined{/u}, {s}selected{/s}");
    markup(dc, Rect{700, 104, 1010, 128}, "{c #FF5050}red{/c} {c #50FF50}green{/c} {c 5090FF}blue{/c} and {f 3}中文字体{/f}");
    markup(dc, Rect{700, 132, 1010, 156}, "{f Verdana 16 bold italic}Verdana 16 bold italic{/f} {f 4}small{/f}");
    markup(dc, Rect{700, 160, 1010, 184}, "Images {i dots.png 4 0}{i dots.png 4 1}{x 4}{i dots.png 4 2} inline, "
                                          "{x 10}moved by x");
    markup(dc, Rect{700, 188, 1010, 212}, "Literal <{>braces<}> and {<}angles{>}, {r}{b}raw{/b}{/r}");
    markup(dc, Rect{700, 216, 1010, 240}, "Centred {b}markup{/b}",
           TextStyle::SingleLine | TextStyle::VCenter | TextStyle::Center);
    markup(dc, Rect{700, 244, 860, 268}, "An ellipsis ends {b}this markup{/b} line early",
           TextStyle::SingleLine | TextStyle::VCenter | TextStyle::EndEllipsis);
    markup(dc, Rect{700, 284, 1010, 308}, "Links: {a home}home page{/a} and {a help}hovered help{/a}");
    CUIPainter::FillColour(dc, Rect{700, 316, 1010, 420}, 0x30FFFFFF);
    markup(dc, Rect{704, 318, 1006, 420},
           "{p 2}A paragraph of {b}word-broken{/b} markup text runs over several lines.{/p}"
           "{p 4}第二段是{c #FFD070}中文{/c}，也会自动换行，直到矩形的右边。{/p}{n}{y 20}Line with height 20",
           TextStyle::WordBreak);

    // A row of controls as a page would show them.
    caption(dc, 20, 532, "Controls: image-string buttons with labels");
    for (int i = 0; i < 8; ++i) {
        Rect control{20 + i * 124, 552, 136 + i * 124, 584};
        CUIPainter::DrawImageDescription(dc, control, all, "file='buttons.png' source='0,0,96,32' corner='8,8,8,8'");
        std::string text = "Profile " + std::to_string(i + 1);
        label(dc, control, text.c_str(), 0xFFFFFFFF, 1, TextStyle::SingleLine | TextStyle::VCenter | TextStyle::Center);
    }
    CUIPainter::DrawImageDescription(dc, Rect{20, 596, 1005, 690}, all,
                                     "file='panel.png' corner='12,12,12,12' fade='200'");
    label(dc, Rect{40, 602, 500, 630}, "DPI 800 · 1600 · 3200 · 6400", 0xFF303030, 0,
          TextStyle::SingleLine | TextStyle::VCenter);
    label(dc, Rect{520, 602, 990, 630}, "請選擇一個設定檔並按下「套用」。", 0xFF303030, 2,
          TextStyle::SingleLine | TextStyle::VCenter);
    label(dc, Rect{520, 630, 990, 658}, "请选择一个配置文件并点击“应用”。", 0xFF303030, 3,
          TextStyle::SingleLine | TextStyle::VCenter);
    label(dc, Rect{40, 630, 500, 658}, "Ampersands are drawn as they are: Save & Apply", 0xFF303030, 1,
          TextStyle::SingleLine | TextStyle::VCenter);
    markup(dc, Rect{40, 658, 990, 686}, "{c #303030}Version {u}V1.05{/u} · {b}firmware{/b} {i dots.png 4 3}{/c}");

    std::string error;
    if (!pelmo::platform::PngWriter::write(surface, output, &error)) {
        std::fprintf(stderr, "ui-sample: %s\n", error.c_str());
        return 1;
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::printf("ui-sample: wrote %s\n", output.c_str());
    return 0;
}
