// The backup screen: Panel_BackUp over the whole window. The drive selector
// and folder list on the left with the chosen folder under them, the
// direction frames, one row per file with its counts and percentage, the
// status line and the clean-up panel on the right, the command bar below.
#include "app/layout.h"

namespace tankora::app {
namespace {

constexpr const char* kBackUp = "Panel_BackUp";
constexpr const char* kSeiri = "Panel_Seiri";

constexpr ControlDef Cap(int x, int y, int w, const char* text, const char* parent = kBackUp,
                         std::uint32_t textColour = kBlack) {
  ControlDef d{"", parent, Kind::Caption, x, y, w, 16, text};
  d.textColour = textColour;
  return d;
}
constexpr ControlDef Named(const char* name, int x, int y, int w, int h, Justify justify,
                           FontSpec font = kFormFont, std::uint32_t colour = kNoColour) {
  ControlDef d{name, kBackUp, Kind::Caption, x, y, w, h, "", font, colour};
  d.justify = justify;
  return d;
}
constexpr ControlDef Frame(const char* name, int x, int y, int w, int h, std::uint32_t colour) {
  ControlDef d{name, kBackUp, Kind::Shape, x, y, w, h};
  d.colour = colour;
  return d;
}
constexpr ControlDef Box(const char* name, int x, int y, int w, const char* caption,
                         const char* parent = kBackUp, Kind kind = Kind::CheckBox) {
  // On the frame's own colour: the box is the frame's, not a patch on it.
  return ControlDef{name, parent, kind, x, y, w, 18, caption};
}
constexpr ControlDef CmdShape(const char* name, int x) {
  ControlDef d{name, kBackUp, Kind::Shape, x, 586, 110, 25};
  d.colour = kBtnFace;
  return d;
}
constexpr ControlDef CmdLabel(const char* name, int x, const char* caption) {
  ControlDef d{name, kBackUp, Kind::Command, x + 4, 589, 102, 19, caption, kCommandFont};
  d.justify = Justify::Centre;
  return d;
}

// The file rows: a frame 44 high, the controls on its first line and what
// happened to the file on its second.
constexpr int kRowY = 88;
constexpr int kRowStep = 50;
constexpr int kRightX = 308;
constexpr int kRightW = 552;

#define FILE_ROW(i, shape, check, caption, pc, bk, ritu, msg)                                    \
  Frame(shape, kRightX, kRowY + (i)*kRowStep, kRightW, 44, kWhite),                               \
      Box(check, kRightX + 8, kRowY + (i)*kRowStep + 5, 140, caption),                            \
      Named(pc, kRightX + 160, kRowY + (i)*kRowStep + 5, 80, 18, Justify::Right, kCountFont),     \
      Named(bk, kRightX + 250, kRowY + (i)*kRowStep + 5, 80, 18, Justify::Right, kCountFont),     \
      Named(ritu, kRightX + 350, kRowY + (i)*kRowStep + 5, 40, 18, Justify::Right, kCountFont),   \
      Cap(kRightX + 392, kRowY + (i)*kRowStep + 6, 20, "％"),                                     \
      ControlDef {                                                                                \
    msg, kBackUp, Kind::Caption, kRightX + 28, kRowY + (i)*kRowStep + 25, kRightW - 36, 16, "",   \
        kFormFont, kNoColour, 0x000080                                                            \
  }

constexpr ControlDef kBackup[] = {
    // The drive and the folder on it.
    Cap(12, 10, 280, "USBメモリをセットしたドライブを"),
    Cap(12, 26, 280, "指定してください。"),
    {"BackupDriveComboBox", kBackUp, Kind::DriveBox, 12, 46, 280, 24},
    {"BackupDirectoryListBox", kBackUp, Kind::FolderList, 12, 74, 280, 258, "", kListFont},
    Cap(12, 340, 280, "指定したUSBメモリの場所"),
    {"Label_BackupFolder", kBackUp, Kind::Caption, 12, 358, 280, 38, "", kFormFont, kWhite},
    {"Label_BackupSavedDate", kBackUp, Kind::Caption, 12, 400, 280, 18, "", kCountFont, kNoColour,
     0x000080},
    Cap(12, 432, 280, "USBメモリーへの保存は偶数日・"),
    Cap(12, 448, 280, "奇数日とUSBを2個使用して、万"),
    Cap(12, 464, 280, "全を期してください。"),

    // The direction: a radio pair, each in the frame that shows it chosen.
    Frame("Shape_ToUSB_FromPC", kRightX, 10, 272, 44, kWhite),
    Box("Label_ToUSB_FromPC", kRightX + 10, 23, 254, "パソコンからUSBメモリへ保存します", kBackUp,
        Kind::Radio),
    Frame("Shape_ToPC_FromUSB", kRightX + 280, 10, 272, 44, kWhite),
    Box("Labe_ToPC_FromUSB", kRightX + 290, 23, 254, "USBメモリでパソコンのデータを書き換えます",
        kBackUp, Kind::Radio),

    // The file table.
    Cap(kRightX + 8, 68, 140, "対象ファイル"),
    {"", kBackUp, Kind::Caption, kRightX + 160, 68, 80, 16, "パソコン", kFormFont, kNoColour, kBlack,
     Justify::Right},
    {"", kBackUp, Kind::Caption, kRightX + 250, 68, 80, 16, "USB", kFormFont, kNoColour, kBlack,
     Justify::Right},
    FILE_ROW(0, "Shape_Kokyaku", "CheckBox_Kokyaku", "顧客", "Label_PC_KokyakuDs",
             "Label_BK_KokyakuDs", "Label_KokyakuRitu", "Label_Kokyaku_Msg"),
    FILE_ROW(1, "Shape_TenkenDenp", "CheckBox_TenkenDenp", "点検伝票", "Label_PC_TenkenDenpDs",
             "Label_BK_TenkenDenpDs", "Label_TenkenDenpRitu", "Label_TenkenDenp_Msg"),
    FILE_ROW(2, "Shape_Syain", "CheckBox_Kouji", "工事伝票", "Label_PC_KoujiDs",
             "Label_BK_KoujiDs", "Label_KoujiRitu", "Label_Kouji_Msg"),
    Cap(kRightX, 240, kRightW,
        "＊ 対象ファイルを個別に指定する場合 は、他のデータファイルとの関連にご注意ください ＊",
        kBackUp, kRed),
    Cap(kRightX, 258, kRightW,
        "＊ 特別な事情がない限り、すべてのファイルを選択することをお勧めします ＊", kBackUp, kRed),

    // The status line; Enter on a question there answers it.
    Frame("Shape_ETC", kRightX, 282, kRightW, 30, kCream),
    {"Label_DataSyori_Nokori", kBackUp, Kind::Caption, kRightX + 8, 288, kRightW - 16, 18, "",
     kCountFont},
    {"Edit_BackUp_Command", kBackUp, Kind::Edit, kRightX + kRightW - 4, 288, 0, 18},

    // The clean-up offer.
    {kSeiri, kBackUp, Kind::Panel, kRightX, 322, kRightW, 150, "", kFormFont, kBtnFace},
    Box("CheckBox_Seiri", 10, 10, 100, "整理する", kSeiri),
    Cap(130, 11, 110, "伝票の保存年数", kSeiri),
    {"Edit_Seiri_Years", kSeiri, Kind::Edit, 240, 8, 30, 20, "", kEditFont, kCream, kBlack,
     Justify::Right},
    Cap(274, 11, 200, "年（3年より短くはできません）", kSeiri),
    Cap(10, 40, 530, "伝票が最大枚数に近づいているか、保存年数を超えた伝票が", kSeiri),
    Cap(10, 58, 530, "あるようです。[ 整理する ] にチェックをつけると、伝票を整理", kSeiri),
    Cap(10, 76, 530, "しながらUSBメモリに保存しますので、USBへの保存終了後", kSeiri),
    Cap(10, 94, 530, "USBメモリでパソコンのデータを書き換えて下さい。", kSeiri),
    Cap(10, 120, 530, "（削除した顧客・伝票と、保存年数を超えた伝票を除いて保存します）", kSeiri,
        0x000080),

    // Command bar.
    CmdShape("Shape_Panel_BackUp_F1", kRightX),
    CmdLabel("Label_Panel_BackUp_F1", kRightX, "F1 処理開始"),
    CmdShape("Shape_Panel_BackUp_F2", kRightX + 116),
    CmdLabel("Label_Panel_BackUp_F2", kRightX + 116, "F2 全選択"),
    CmdShape("Shape_Panel_BackUp_F3", kRightX + 232),
    CmdLabel("Label_Panel_BackUp_F3", kRightX + 232, "F3 全解除"),
};

#undef FILE_ROW

}  // namespace

std::span<const ControlDef> BackupLayout() { return kBackup; }

}  // namespace tankora::app
