// The window's frame: six tab labels over their shapes, one panel per screen
// and the sub-panels later screens fill in. Only Panel_Kanri starts visible;
// which panel shows afterwards is the session's decision.
#include "app/layout.h"

#include <iterator>

namespace tankora::app {
namespace {

constexpr ControlDef Panel(const char* name, const char* parent, int x, int y, int w, int h,
                           bool visible) {
  ControlDef d{name, parent, Kind::Panel, x, y, w, h};
  d.colour = kBtnFace;
  d.visible = visible;
  return d;
}

// Tab shapes are 115 × 29 at y 4, one every 116 pixels from x 8; the label
// sits 2 pixels inside so a selected (red, 2 px) frame stays visible.
constexpr ControlDef TabShape(const char* name, int k) {
  ControlDef d{name, "", Kind::Shape, 8 + 116 * k, 4, 115, 29};
  d.colour = kWhite;
  return d;
}
constexpr ControlDef TabLabel(const char* name, int k, const char* caption) {
  ControlDef d{name, "", Kind::Command, 10 + 116 * k, 6, 111, 25, caption, kTabFont};
  d.colour = kWhite;
  d.justify = Justify::Centre;
  return d;
}

constexpr ControlDef kWindow[] = {
    TabShape("Shape_Basic", 0),
    TabLabel("Label_Basic", 0, "顧客基本情報"),
    TabShape("Shape_Tenken", 1),
    TabLabel("Label_Tenken", 1, "点検伝票登録"),
    TabShape("Shape_Kouji", 2),
    TabLabel("Label_Kouji", 2, "浄化槽工事登録"),
    TabShape("Shape_TenkenListView", 3),
    TabLabel("Label_TenkenListView", 3, "点検伝票一覧"),
    TabShape("Shape_KoujiListView", 4),
    TabLabel("Label_KoujiListView", 4, "浄化槽工事一覧"),
    TabShape("Shape_BackUp", 5),
    TabLabel("Label_BackUp", 5, "バックアップ"),

    // Panel_Kanri comes first so the screens that cover it lie above it.
    Panel("Panel_Kanri", "", 4, 36, 871, 617, true),
    Panel("Panel_Tenken", "", 234, 36, 641, 617, false),
    Panel("Panel_Kouji", "", 234, 36, 641, 617, false),
    Panel("Panel_TenkenList", "", 4, 36, 871, 617, false),
    Panel("Panel_TenkenGeppou", "Panel_TenkenList", 8, 38, 855, 547, true),
    Panel("Panel_TenkenYotei", "Panel_TenkenList", 8, 38, 857, 547, false),
    Panel("Panel_KeiyakuList", "", 4, 36, 871, 617, false),
    Panel("Panel_HosyuKeiyaku_Geppou", "Panel_KeiyakuList", 8, 38, 857, 547, true),
    Panel("Panel_KeiyakuEnd", "Panel_KeiyakuList", 8, 38, 857, 547, false),
    Panel("Panel_SyuukinYotei", "Panel_KeiyakuList", 8, 38, 857, 547, false),
    Panel("Panel_BackUp", "", 4, 36, 871, 617, false),

    // Refusals and failures the session wants the user to see; no dialogs.
    // Bold red right under the command bar, where the eye goes after a
    // command that seemed to do nothing. Two lines: a failure names a path
    // and its reason, and what became of the user's data comes last.
    {"Label_Notice", "", Kind::Caption, 8, 658, 867, 36, "", kCountFont, kNoColour, 0xC00000},
};

}  // namespace

std::span<const ControlDef> WindowLayout() { return kWindow; }

}  // namespace tankora::app
