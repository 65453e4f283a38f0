#pragma once

#include "output_fields.h"
#include "twips.h"

#include <QColor>
#include <QStringView>
#include <array>

// Where every control of the main window sits, and what its fixed caption says.
namespace tokivane::layout {

inline constexpr QStringView kWindowTitle = u"Tokivane";
// One line of the window's font, 9.75 pt, at 96 dpi: captions at least two
// lines high wrap, and each closing-day entry is one line high.
inline constexpr int kLinePixels = 13;
inline constexpr int kClientWidth = 13245;
inline constexpr int kClientHeight = 8955;
inline constexpr QColor kWindowColor{224, 224, 224};
inline constexpr QColor kHintColor{255, 255, 192};
// The window's own colours beside those two, kept whatever the desktop's
// theme: dark text on light grounds and a deep blue selection, so that even the
// thin strokes of Mincho stand out when selected.
inline constexpr QColor kTextColor{0, 0, 0};
inline constexpr QColor kDisabledTextColor{109, 109, 109};
inline constexpr QColor kBaseColor{255, 255, 255};
inline constexpr QColor kButtonColor{240, 240, 240};
inline constexpr QColor kHighlightColor{10, 36, 106};
inline constexpr QColor kHighlightedTextColor{255, 255, 255};
inline constexpr QColor kToolTipColor{255, 255, 225};

inline constexpr QStringView kEndMenuName = u"mnu_END";
inline constexpr QStringView kEndMenuCaption = u"終了";

struct ControlSpec {
    QStringView name;
    TwipsRect rect;
    QStringView caption;
};

// Input controls, in tab order.
inline constexpr ControlSpec kList1{u"List1", {240, 420, 1305, 1230}, u""};
// A date box's caption is its accessible name: the label beside it.
inline constexpr ControlSpec kText1{u"Text1", {2670, 480, 1305, 315}, u"処理日"};
inline constexpr ControlSpec kText2{u"Text2", {7020, 480, 1275, 315}, u"記録日"};
inline constexpr ControlSpec kCommand1{u"Command1", {2700, 960, 1245, 315}, u"実行"};
inline constexpr ControlSpec kCommand4{u"Command4", {4260, 960, 1065, 315}, u"ｸﾘｱ"};

// The usage hint, shown on a pale yellow ground.
inline constexpr ControlSpec kHint{u"Label20",
                                   {8700, 780, 4035, 615},
                                   u"日付の入力は、Enterのみ・11・11/2・11/"
                                   u"03など省略ができます。また、閏日なども試してください。"};

// Every other fixed caption, in reading order.
extern const std::array<ControlSpec, 43> kFixedLabels;

struct FieldSpec {
    OutputField field;
    TwipsRect rect;
    // Row and column, so a screen reader can tell fields with equal dates apart.
    QStringView description;
};

extern const std::array<FieldSpec, 32> kOutputFields;

struct LineSpec {
    QStringView name;
    int left;
    int top;
    int right;
};

// The rules between the four groups.
inline constexpr std::array<LineSpec, 4> kLines{{
    {u"Line1_0", 150, 1680, 13020},
    {u"Line1_1", 90, 3480, 12960},
    {u"Line1_2", 90, 5340, 12960},
    {u"Line1_3", 90, 7020, 12960},
}};

} // namespace tokivane::layout
