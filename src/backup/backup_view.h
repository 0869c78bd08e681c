// Inside the backup screen: its control names, shared by its field table
// and its commands.
#pragma once

#include <string_view>

#include "backup/backup_files.h"
#include "shell/session_state.h"

namespace tankora {

// The direction "labels" are a pair of radio buttons in their frames, so the
// keyboard can choose a direction as the mouse does.
inline constexpr std::string_view kToUsbControl = "Label_ToUSB_FromPC";
inline constexpr std::string_view kFromUsbControl = "Labe_ToPC_FromUSB";
inline constexpr std::string_view kYearsControl = "Edit_Seiri_Years";
// Zero-width, in the status frame: Enter there runs the command at the
// cursor, which is F1 while a restore waits for its confirmation.
inline constexpr std::string_view kCommandControl = "Edit_BackUp_Command";
inline constexpr std::string_view kStatusLabel = "Label_DataSyori_Nokori";
inline constexpr std::string_view kStatusFrame = "Shape_ETC";

// One row of the file table.
struct BackupRow {
  BackupPart part;
  std::string_view check;
  std::string_view frame;
  std::string_view pcCount;   // column "パソコン"
  std::string_view usbCount;  // column "USB"
  std::string_view percent;
  std::string_view message;   // what happened to the row's file, when it says something
};

inline constexpr BackupRow kBackupRows[kChosenPartCount] = {
    {BackupPart::Kokyaku, "CheckBox_Kokyaku", "Shape_Kokyaku", "Label_PC_KokyakuDs",
     "Label_BK_KokyakuDs", "Label_KokyakuRitu", "Label_Kokyaku_Msg"},
    {BackupPart::TenkenDenp, "CheckBox_TenkenDenp", "Shape_TenkenDenp", "Label_PC_TenkenDenpDs",
     "Label_BK_TenkenDenpDs", "Label_TenkenDenpRitu", "Label_TenkenDenp_Msg"},
    {BackupPart::Kouji, "CheckBox_Kouji", "Shape_Syain", "Label_PC_KoujiDs", "Label_BK_KoujiDs",
     "Label_KoujiRitu", "Label_Kouji_Msg"},
};

// After a commit of one of the screen's controls: the choices taken from the
// view into the state; a change takes back a question that was waiting.
void BackupChoicesCommitted(Session::State& s, std::string_view control);

}  // namespace tankora
