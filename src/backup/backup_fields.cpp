// The backup screen's controls and commands, as tables for the input
// framework. The drive selector and the folder list are no fields: the
// arrows and Enter move in them, and the function keys still reach the
// screen's commands.
#include <string_view>

#include "backup/backup_screen.h"
#include "backup/backup_view.h"
#include "shell/input_framework.h"
#include "util/fixed_text.h"

namespace tankora {

namespace {

using K = FieldKind;
using sv = std::string_view;

constexpr InputField F(sv control, K kind, int width, sv next, sv previous) {
  return InputField{control, Screen::Backup, kind, static_cast<std::uint8_t>(width), "", {}, {},
                    next,    previous,       ImeMode::Off};
}

// Enter walks direction, files, clean-up, years and the command field,
// where Enter runs F1 (処理開始); Home goes back up to the folder list.
constexpr InputField kBackupFields[] = {
    F(kToUsbControl, K::Check, 1, "CheckBox_Kokyaku", "BackupDirectoryListBox"),
    F(kFromUsbControl, K::Check, 1, "CheckBox_Kokyaku", "BackupDirectoryListBox"),
    F("CheckBox_Kokyaku", K::Check, 1, "CheckBox_TenkenDenp", kToUsbControl),
    F("CheckBox_TenkenDenp", K::Check, 1, "CheckBox_Kouji", "CheckBox_Kokyaku"),
    F("CheckBox_Kouji", K::Check, 1, "CheckBox_Seiri", "CheckBox_TenkenDenp"),
    F("CheckBox_Seiri", K::Check, 1, kYearsControl, "CheckBox_Kouji"),
    F(kYearsControl, K::Amount, 2, kCommandControl, "CheckBox_Seiri"),
    F(kCommandControl, K::Command, 0, "", kYearsControl),
};

void CmdStart(Session& s) { BackupStart(s.state()); }
void CmdSelectAll(Session& s) { BackupSelectAll(s.state(), true); }
void CmdClearAll(Session& s) { BackupSelectAll(s.state(), false); }

constexpr CommandDef kBackupCommands[] = {
    {Screen::Backup, Key::F1, "Label_Panel_BackUp_F1", "Shape_Panel_BackUp_F1", 0, CmdStart},
    {Screen::Backup, Key::F2, "Label_Panel_BackUp_F2", "Shape_Panel_BackUp_F2", 1, CmdSelectAll},
    {Screen::Backup, Key::F3, "Label_Panel_BackUp_F3", "Shape_Panel_BackUp_F3", 2, CmdClearAll},
};

void AfterCommit(Session& session, const InputField& f) {
  BackupChoicesCommitted(session.state(), f.control);
}

constexpr ScreenDef kBackupScreen{
    .screen = Screen::Backup,
    .fields = kBackupFields,
    .commands = kBackupCommands,
    .firstFocus = "BackupDirectoryListBox",
    .afterCommit = AfterCommit,
    .enterSelectsFirstCommand = true,
};

}  // namespace

const ScreenDef& BackupScreenDef() { return kBackupScreen; }

}  // namespace tankora
