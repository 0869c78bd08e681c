// The construction ledger screen: Panel_Kouji over the right part of the
// customer screen (the customer list stays visible beside it), one ledger
// entry as a form, its record position at the top right, the command bar at
// the bottom.
//
// Captions stand in a column from x 12, fields from x 204; each item's frame
// is 24 pixels high per line, items 6 pixels apart.
#include "app/layout.h"

namespace tankora::app {
namespace {

constexpr const char* kKouji = "Panel_Kouji";

constexpr ControlDef Cap(int x, int y, int w, const char* text, Justify justify = Justify::Left) {
  ControlDef d{"", kKouji, Kind::Caption, x, y, w, 16, text};
  d.justify = justify;
  return d;
}
constexpr ControlDef Frame(const char* name, int x, int y, int w, int h) {
  ControlDef d{name, kKouji, Kind::Shape, x, y, w, h};
  d.colour = kCream;  // the frame and its edits read as one field
  return d;
}
constexpr ControlDef Ed(const char* name, int x, int y, int w) {
  ControlDef d{name, kKouji, Kind::Edit, x, y, w, 20, "", kEditFont};
  d.colour = kCream;
  return d;
}
constexpr ControlDef Radio(const char* name, int x, int y, int w, const char* caption) {
  ControlDef d{name, kKouji, Kind::Radio, x, y, w, 18, caption};
  d.colour = kWhite;
  return d;
}
constexpr ControlDef CmdShape(const char* name, int x, int w) {
  ControlDef d{name, kKouji, Kind::Shape, x, 586, w, 25};
  d.colour = kBtnFace;
  return d;
}
constexpr ControlDef CmdLabel(const char* name, int x, int w, const char* caption) {
  ControlDef d{name, kKouji, Kind::Command, x + 4, 589, w - 8, 19, caption, kCommandFont};
  d.justify = Justify::Centre;
  return d;
}
constexpr ControlDef Count(const char* name, int x) {
  return ControlDef{name, kKouji, Kind::Caption, x,        9,      44,
                    18,   "",     kCountFont,    kSkyBlue, kBlack, Justify::Right};
}

// Top of each item's frame.
constexpr int kNameY = 40;
constexpr int kAddressY = kNameY + 30;
constexpr int kSekouY = kAddressY + 52;
constexpr int kDateY = kSekouY + 30;
constexpr int kUseY = kDateY + 30;
constexpr int kMoneyY = kUseY + 30;
constexpr int kSetubisiY = kMoneyY + 30;
constexpr int kKindY = kSetubisiY + 52;
constexpr int kSinyouY = kKindY + 76;
constexpr int kYoutoY = kSinyouY + 30;
constexpr int kGyousyaY = kYoutoY + 74;
constexpr int kKeiyakuY = kGyousyaY + 30;
static_assert(kKeiyakuY + 46 <= 586, "the entry must end above the command bar");

constexpr int kCapX = 12;
constexpr int kFieldX = 204;

constexpr ControlDef kLedger[] = {
    // Heading, the delete notice and the entry's place in the ledger.
    {"", kKouji, Kind::Caption, kCapX, 10, 160, 18, "工事元帳", kCountFont},
    {"Shape_KoujiDeleteMsg", kKouji, Kind::Shape, 300, 6, 150, 26, "", kFormFont, 0xFFE0E0, kBlack,
     Justify::Left, 1, 0, 0, kNoColour, false},
    {"Label_KoujiDeleteMsg", kKouji, Kind::Caption, 304, 10, 142, 18, "削除された伝票", kCountFont,
     kNoColour, 0xC00000, Justify::Centre, 1, 0, 0, kNoColour, false},
    Count("Label_Kouji_rec", 534),
    {"Label79", kKouji, Kind::Caption, 580, 10, 10, 16, "/", kFormFont, kNoColour, kBlack,
     Justify::Centre},
    Count("Label_Kouji_ds", 592),

    Cap(kCapX, kNameY + 5, 190, "注文者の氏名又は名称"),
    Frame("Shape_Panel_Kouji_Name", kFieldX, kNameY, 174, 24),
    Ed("Edit_Kouji_Name", kFieldX + 4, kNameY + 2, 166),

    Cap(kCapX, kAddressY + 5, 190, "注文者の住所"),
    Frame("Shape_Kouji_Address", kFieldX, kAddressY, 434, 46),
    Cap(kFieldX + 6, kAddressY + 5, 14, "〒"),
    Ed("Edit_Kouji_Zip1", kFieldX + 20, kAddressY + 2, 38),
    Cap(kFieldX + 58, kAddressY + 5, 10, "-", Justify::Centre),
    Ed("Edit_Kouji_Zip2", kFieldX + 70, kAddressY + 2, 54),
    Cap(kFieldX + 150, kAddressY + 5, 28, "TEL"),
    Ed("Edit_Kouji_Tel", kFieldX + 180, kAddressY + 2, 146),
    Ed("Edit_Kouji_Address", kFieldX + 6, kAddressY + 24, 330),

    Cap(kCapX, kSekouY + 5, 190, "施工場所"),
    Frame("Shape_Kouji_SekouPlace", kFieldX, kSekouY, 342, 24),
    Ed("Edit_Kouji_SekouPlace", kFieldX + 6, kSekouY + 2, 330),

    Cap(kCapX, kDateY + 5, 190, "着工年月日及び竣工年月日"),
    Frame("Shape_Kouji_Date", kFieldX, kDateY, 356, 24),
    Cap(kFieldX + 6, kDateY + 5, 26, "着工"),
    DATE_EDITS("Edit_Kouji_StartYear", "Edit_Kouji_StartMonth", "Edit_Kouji_StartDay", kFieldX + 34,
               kDateY, "日"),
    Cap(kFieldX + 182, kDateY + 5, 26, "竣工"),
    DATE_EDITS("Edit_Kouji_EndYear", "Edit_Kouji_EndMonth", "Edit_Kouji_EndDay", kFieldX + 210,
               kDateY, "日"),

    Cap(kCapX, kUseY + 5, 190, "使用開始年月日"),
    Frame("Shape_Kouji_UseStartDate", kFieldX, kUseY, 152, 24),
    DATE_EDITS("Edit_Kouji_UseStartYear", "Edit_Kouji_UseStartMonth", "Edit_Kouji_UseStartDay",
               kFieldX + 6, kUseY, "日"),

    Cap(kCapX, kMoneyY + 5, 190, "工事請負金額"),
    Frame("Shape_Kouji_Money", kFieldX, kMoneyY, 132, 24),
    Ed("Edit_Kouji_Money", kFieldX + 6, kMoneyY + 2, 104),
    Cap(kFieldX + 112, kMoneyY + 5, 14, "円"),

    Cap(kCapX, kSetubisiY + 3, 190, "当該工事に関わる浄化槽設備士の"),
    Cap(kCapX, kSetubisiY + 25, 190, "氏名及び免許状の交付番号"),
    Frame("Shape_Kouji_Setubisi", kFieldX, kSetubisiY, 294, 46),
    Cap(kFieldX + 6, kSetubisiY + 5, 76, "設備士の氏名"),
    Ed("Edit_Kouji_Setubisi", kFieldX + 84, kSetubisiY + 2, 166),
    Cap(kFieldX + 6, kSetubisiY + 27, 76, "交付番号"),
    WithFont(Ed("Edit_Kouji_KoufuNo", kFieldX + 84, kSetubisiY + 24, 146), kCodeFont),

    Cap(kCapX, kKindY + 5, 190, "国土交通大臣型式認定浄化槽"),
    Cap(kCapX, kKindY + 27, 190, "型式・処理方法・人相"),
    // Three lines, so that every part shows its longest value: the model
    // alone on the second, the treatment method and the persons on the third.
    Frame("Shape_Kouji_Kind", kFieldX, kKindY, 434, 70),
    Cap(kFieldX + 6, kKindY + 5, 30, "名称"),
    Ed("Edit_Kouji_Kind_Meisyou", kFieldX + 38, kKindY + 2, 166),
    Cap(kFieldX + 208, kKindY + 5, 52, "認定番号"),
    WithFont(Ed("Edit_Kouji_Kind_NinteiNo", kFieldX + 262, kKindY + 2, 146), kCodeFont),
    Cap(kFieldX + 6, kKindY + 27, 30, "型式"),
    WithFont(Ed("Edit_Kouji_Kind_Katasiki", kFieldX + 38, kKindY + 24, 146), kCodeFont),
    Cap(kFieldX + 6, kKindY + 49, 52, "処理方法"),
    Ed("Edit_Kouji_Kind_Syorihouhou", kFieldX + 60, kKindY + 46, 166),
    Ed("Edit_Kouji_Ninsou", kFieldX + 230, kKindY + 46, 36),
    Cap(kFieldX + 268, kKindY + 49, 24, "人槽"),

    // The works done: night soil only, or night soil with other waste water.
    Cap(kCapX, kSinyouY + 5, 190, "施工場所"),
    Frame("Shape_Kouji_Sinyou", kFieldX, kSinyouY, 262, 24),
    Radio("RadioButton_Kouji_SinyouOnly", kFieldX + 6, kSinyouY + 3, 90, "し尿のみ"),
    Radio("RadioButton_Kouji_SinyouHaisui", kFieldX + 104, kSinyouY + 3, 150, "し尿及び雑排水"),

    Cap(kCapX, kYoutoY + 3, 190, "当該浄化槽において処理するし尿等"),
    Cap(kCapX, kYoutoY + 25, 190, "を排出する建築物の用途及び延べ"),
    Cap(kCapX, kYoutoY + 47, 190, "面積"),
    Frame("Shape_Kouji_Youto", kFieldX, kYoutoY, 434, 68),
    WithFontPixels(Ed("Edit_Kouji_Youto_1", kFieldX + 6, kYoutoY + 2, 422), kYoutoFontPixels),
    WithFontPixels(Ed("Edit_Kouji_Youto_2", kFieldX + 6, kYoutoY + 24, 422), kYoutoFontPixels),
    WithFontPixels(Ed("Edit_Kouji_Youto_3", kFieldX + 6, kYoutoY + 46, 422), kYoutoFontPixels),

    Cap(kCapX, kGyousyaY + 5, 190, "管理業者"),
    Frame("Shape_Kouji_KanriGyousya", kFieldX, kGyousyaY, 178, 24),
    Ed("Edit_Kouji_KanriGyousya", kFieldX + 6, kGyousyaY + 2, 166),
    Cap(kFieldX + 200, kGyousyaY + 5, 52, "清掃業者"),
    Frame("Shape_Kouji_SeisouGyousya", kFieldX + 256, kGyousyaY, 178, 24),
    Ed("Edit_Kouji_SeisouGyousya", kFieldX + 262, kGyousyaY + 2, 166),

    Cap(kCapX, kKeiyakuY + 5, 190, "契約日"),
    Frame("Shape_Keiyaku_Date", kFieldX, kKeiyakuY, 152, 22),
    DATE_EDITS("Edit_Keiyaku_Year", "Edit_Keiyaku_Month", "Edit_Keiyaku_Day", kFieldX + 6,
               kKeiyakuY - 1, "日"),
    Cap(kCapX, kKeiyakuY + 29, 190, "契約期間"),
    Frame("Shape_KeiyakuKikan_Date", kFieldX, kKeiyakuY + 24, 312, 22),
    DATE_EDITS("Edit_Keiyaku_StartYear", "Edit_Keiyaku_StartMonth", "Edit_Keiyaku_StartDay",
               kFieldX + 6, kKeiyakuY + 23, "日～"),
    DATE_EDITS("Edit_Keiyaku_EndYear", "Edit_Keiyaku_EndMonth", "Edit_Keiyaku_EndDay",
               kFieldX + 166, kKeiyakuY + 23, "日"),
    // Holds the focus while a command is chosen; shows nothing.
    {"Edit_PanelKouji_CommandChoose", kKouji, Kind::Edit, 620, 560, 0, 18},

    // The command bar.
    CmdShape("Shape_MotocyouWrite", 8, 142),
    CmdLabel("Label_MotocyouWrite", 8, 142, "F1 工事元帳のみ登録"),
    CmdShape("Shapel_MotocyouDelete", 154, 70),
    CmdLabel("Label_MotocyouDelete", 154, 70, "F2 削除"),
    CmdShape("Shape_MotocyouKokyakuWrite", 228, 180),
    CmdLabel("Label_MotocyouKokyakuWrite", 228, 180, "F3 工事元帳と顧客を登録"),
    CmdShape("Shape_MotocyouPrePage", 412, 70),
    CmdLabel("Label_MotocyouPrePage", 412, 70, "F5 前頁"),
    CmdShape("Shape_MotocyouNextPage", 486, 70),
    CmdLabel("Label_MotocyouNextPage", 486, 70, "F6 次頁"),
    CmdShape("Shape_MotocyouNewData", 560, 70),
    CmdLabel("Label_MotocyouNewData", 560, 70, "F8 追加"),
};

#undef DATE_EDITS

}  // namespace

std::span<const ControlDef> LedgerLayout() { return kLedger; }

}  // namespace tankora::app
