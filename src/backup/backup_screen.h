// The backup screen (Panel_BackUp): the folder on the stick, the direction,
// the files taking part, the copies with their counts and percentages, and
// the clean-up offer. Also the customer screen's "F3 データ整理（完全削除）",
// which works on the same files.
#pragma once

#include <string>

#include "shell/screen_def.h"
#include "shell/session_state.h"

namespace tankora {

const ScreenDef& BackupScreenDef();
// Its part of the seams: the screen drawn at start-up and after a restore,
// refreshed when its tab shows it.
void InstallBackupSeams(Session::State& s);

// The screen from its state: folder, direction frames, check boxes, years,
// both count columns, the saved date, the status line.
void BackupScreenShow(Session::State& s);
// The folder list chose a folder (UTF-8 path).
void BackupFolderChosen(Session::State& s, std::string folder);

// F1 処理開始: saves at once; a restore asks first (F1 again, or Enter on the
// question) and then replaces the PC's files.
void BackupStart(Session::State& s);
// F2 全選択 / F3 全解除: the three file check boxes.
void BackupSelectAll(Session::State& s, bool on);

// "F3 データ整理（完全削除）" of the customer screen: asks in the notice line,
// then takes the deleted customers, slips and ledger entries out of the
// files, keeping what each screen shows.
void KokyakuDataSeiri(Session::State& s);

}  // namespace tankora
