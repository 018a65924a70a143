#pragma once
// What every editor beside the address rows is without widgets: a model that loads its values
// from the image, holds everything its frame shows, reacts to every user action, and, for the
// editors with a working copy, applies or discards it. The Qt frames render a model and forward
// events to it; the command-line tool reaches the same models through their settings.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "base/frame_kind.h"
#include "editors/editor_context.h"

namespace korrin {

// One setting of an editor, in the decoder's own terms. The command-line tool sets it by its
// key, the configuration file holds it under its section, and the decoded comparison names a
// difference by its caption.
struct EditorSetting {
  std::string section;  // the configuration file's section: "cvs", "options", "patterns",
                        // "curves" or "assignments"
  std::string key;      // what `set` accepts, e.g. "cv29", "muster2.ausgang3"
  std::string caption;  // German, as the frame names it, e.g. "CV29", "Kurve 2"
  std::string value;    // the value as text, in the form `set` accepts for key
  // Non-empty when value is a list: the German name of one element ("Punkt"); the comparison
  // then names each differing element by its 1-based position. Elements are separated by ','
  // or, when perCharacter is set, are the single characters of value.
  std::string element;
  bool perCharacter = false;
  // False when the decoder holds a value here that the editor lets nobody enter (an erased
  // cell reads 255 where 1..127 may be typed): an export leaves it out, so that the export
  // of such a decoder still applies to every decoder of its type.
  bool enterable = true;
};

// What an action does. A configuration file or a plan holds values only, so every action is
// refused there by its kind; the kinds that touch a file matter beyond that (a command writes
// its files only after every value was taken, and never onto its own input).
enum class ActionKind {
  Generate,   // computes a curve from a shape
  Transform,  // mirrors, scales or shifts what is there
  Copy,       // takes the values of another curve or pattern
  ReadFile,   // loads a curve or set file named by the value
  WriteFile,  // writes a curve or set file named by the value
};

// A key that `set` accepts as an action rather than a stored value (a generator, a transform,
// a file to load, a copy). Listed by `info` with the form of its value.
struct EditorAction {
  std::string key;          // e.g. "kurve2.erzeugen"
  std::string valueForm;    // e.g. "lin|log|sin|sin2:PUNKTE"
  std::string description;  // German, one line
  ActionKind kind = ActionKind::Transform;
};

enum class SetOutcome {
  Done,        // the value was taken (as the frame takes it)
  Refused,     // the value was refused with the frame's own message through the dialogs
  UnknownKey,  // no such key for this editor and decoder type; nothing was shown
};

class EditorModel : public PendingEditor {
 public:
  explicit EditorModel(EditorContext& context) : ctx(context) {}
  ~EditorModel() override = default;
  // A copy keeps the context; an assignment takes the other model's state and keeps this
  // model's context (the undo history restores a model from a copy this way).
  EditorModel(const EditorModel&) = default;
  EditorModel& operator=(const EditorModel&) { return *this; }

  virtual FrameKind kind() const = 0;

  // Reads the values of the loaded decoder from the image (the load's own writes included),
  // as when the frame is shown after a load. Clears any pending working copy.
  virtual void Load() = 0;

  // Every stored setting of the loaded decoder in a stable order (for the working-copy
  // editors: the values of the working copy).
  virtual std::vector<EditorSetting> Settings() const = 0;
  // The action keys of the loaded decoder.
  virtual std::vector<EditorAction> Actions() const { return {}; }
  // Sets one setting or runs one action through the same reaction as the frame's control,
  // with the same validation and messages. Working-copy editors change their working copy:
  // the caller applies it (applyPendingChanges) before saving.
  virtual SetOutcome Set(const std::string& key, const std::string& value) = 0;

  // Working-copy editors: changes are pending (the frame's apply button is enabled).
  bool hasPendingChanges() const override { return false; }
  // Writes the working copy into the image ("übernehmen").
  void applyPendingChanges() override {}
  // Reloads the working copy from the image ("verwerfen").
  virtual void Discard() {}

  // Set while the model fills the frame's values itself, so that no change reaction writes
  // back; the frames set it too while they render.
  bool filling = false;

  // --- undo and redo ---------------------------------------------------------------------
  // A copy of everything the model holds and its frame shows (working copy, selection, texts,
  // pending state); nullptr for a model that keeps nothing of its own.
  virtual std::shared_ptr<const EditorModel> CloneState() const { return nullptr; }
  // Takes back the state of a copy made by CloneState of this same model class.
  virtual void RestoreState(const EditorModel&) {}
  // Roughly the bytes a copy of CloneState occupies, for the history's memory bound.
  virtual size_t StateBytes() const { return 0; }
  // The German name of an action that names itself better than its changed settings do (a
  // copy, a generator, a file load), e.g. "Muster 2 von #1". The undo history takes it for
  // the step it records next and clears it.
  std::string stepName;

 protected:
  // The step name of Set(key, ...): "<caption> ändern" for a stored setting; empty for an
  // action, whose reaction names its step.
  std::string StepNameOf(const std::string& key) const {
    for (const EditorSetting& s : Settings())
      if (s.key == key) return (s.section == "cvs" && s.key.size() > 2 ? "CV" + s.key.substr(2) : s.caption) + " ändern";
    return {};
  }

  EditorContext& ctx;
};

}  // namespace korrin
