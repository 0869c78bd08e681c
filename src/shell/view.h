// What the core needs from a screen: named controls it can read, fill, check,
// frame and focus. The Qt layer implements it over real widgets; tests use a
// plain map. Texts crossing this interface are CP932 bytes, as in the records.
#pragma once

#include <string>
#include <string_view>

namespace tankora {

// black 1 px / red 2 px / green 2 px (the chosen row of the slip history) /
// grey 2 px (a backup row whose copy has ended)
enum class FrameState { Plain, Selected, Chosen, Done };

// Row look of the customer list: ordinary, the deleted-customer marking.
enum class RowStyle { Normal, Deleted };

// What became of a request to open a document: shown, not there, or there
// with nothing on the desktop to show it.
enum class DocumentOpen { Opened, Missing, NoViewer };

class View {
 public:
  virtual ~View() = default;

  // Edits, labels and captions. Setting a text raises no events.
  virtual std::string Text(std::string_view control) const = 0;
  virtual void SetText(std::string_view control, std::string_view cp932) = 0;

  // A caption made by the program rather than read from a record, in UTF-8,
  // for the few characters CP932 lacks (the check mark ✓). The default
  // shows it as far as CP932 holds it.
  virtual void SetCaptionUtf8(std::string_view control, std::string_view utf8);

  // Check boxes and radio buttons. Setting the state raises no events.
  virtual bool Checked(std::string_view control) const = 0;
  virtual void SetChecked(std::string_view control, bool checked) = 0;

  // Moves the keyboard focus. The view reports the move back to the input
  // framework as FieldLeave of the old control, then FieldEnter of the new one,
  // before this call returns. Focusing the control that has the focus
  // reports nothing. Either way an edit's whole text ends up selected, so
  // typing replaces it.
  virtual void Focus(std::string_view control) = 0;
  virtual std::string Focused() const = 0;

  // Frame shapes (fields, command labels, list rows, tabs).
  virtual FrameState Frame(std::string_view shape) const = 0;
  virtual void SetFrame(std::string_view shape, FrameState state) = 0;

  // Marks a field whose value was refused (red text or frame until cleared).
  virtual void SetAlert(std::string_view control, bool on) = 0;
  // Visible cue for input the field cannot take (too long, not storable).
  virtual void Flash(std::string_view control) = 0;

  // List rows, panels and tabs.
  virtual void SetRowStyle(int row, RowStyle style) = 0;
  virtual void SetVisible(std::string_view control, bool visible) = 0;
  // A tab label drawn current (navy, white text) or not (white, black text).
  virtual void SetTabCurrent(std::string_view tabLabel, bool current) = 0;

  // Opens a document that comes with the program ("Manual/Manual.pdf") with
  // the desktop's default application. `where` (UTF-8) gets the file it
  // opened, or where the file belongs when it is missing.
  virtual DocumentOpen OpenDocument(std::string_view relativePath, std::string* where) {
    *where = std::string(relativePath);
    return DocumentOpen::Missing;
  }

  // A folder list (with its drive selector) shows this folder, a UTF-8 path.
  virtual void SetFolder(std::string_view /*control*/, std::string_view /*path*/) {}
  // Draws what changed now, while a long command still runs (a copy's
  // percentages); input is not taken meanwhile.
  virtual void Repaint() {}
};

}  // namespace tankora
