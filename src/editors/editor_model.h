#pragma once
// What every editor beside the address rows is without widgets: a model that loads its values
// from the image, holds everything its frame shows, reacts to every user action, and, for the
// editors with a working copy, applies or discards it. The Qt frames render a model and forward
// events to it; the command-line tool reaches the same models through their settings.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <utility>
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

// An observer of a model, from Observe until the handle is destroyed or reset. The handle may
// outlive the model and the model may outlive the handle.
class Subscription {
 public:
  struct Entry {
    std::function<void()> changed;
    bool active = true;
  };
  using List = std::vector<std::shared_ptr<Entry>>;

  Subscription() = default;
  Subscription(std::weak_ptr<List> list, std::shared_ptr<Entry> entry) : list_(std::move(list)), entry_(std::move(entry)) {}
  ~Subscription() { reset(); }
  Subscription(Subscription&& other) noexcept = default;
  Subscription& operator=(Subscription&& other) noexcept {
    if (this != &other) {
      reset();
      list_ = std::move(other.list_);
      entry_ = std::move(other.entry_);
    }
    return *this;
  }
  Subscription(const Subscription&) = delete;
  Subscription& operator=(const Subscription&) = delete;

  // Stops the calls; one that is running goes on to its end, no later one starts.
  void reset() {
    if (!entry_) return;
    entry_->active = false;
    if (auto list = list_.lock()) std::erase(*list, entry_);
    entry_.reset();
    list_.reset();
  }

 private:
  std::weak_ptr<List> list_;
  std::shared_ptr<Entry> entry_;
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

  // Calls changed after every change of what the model shows: once at the end of each user
  // action, and after Load, Discard, apply and Restore.
  [[nodiscard]] Subscription Observe(std::function<void()> changed) {
    auto entry = std::make_shared<Subscription::Entry>();
    entry->changed = std::move(changed);
    observers_.list->push_back(entry);
    return Subscription(observers_.list, entry);
  }

  // --- undo and redo ---------------------------------------------------------------------
  // A copy of everything the model holds and its frame shows (working copy, selection, texts,
  // pending state); nullptr for a model that keeps nothing of its own.
  virtual std::shared_ptr<const EditorModel> CloneState() const { return nullptr; }
  // Takes back the state of a copy made by CloneState and tells the observers (the history's
  // undo and redo).
  void Restore(const EditorModel& state) {
    ChangeScope change(*this);
    RestoreState(state);
  }
  // Takes back the state of a copy made by CloneState of this same model class.
  virtual void RestoreState(const EditorModel&) {}
  // Roughly the bytes a copy of CloneState occupies, for the history's memory bound.
  virtual size_t StateBytes() const { return 0; }
  // The German name of an action that names itself better than its changed settings do (a
  // copy, a generator, a file load), e.g. "Muster 2 von #1". The undo history takes it for
  // the step it records next and clears it.
  std::string stepName;

 protected:
  // One change from outside: the observers hear of it once, when the outermost scope ends.
  class ChangeScope {
   public:
    explicit ChangeScope(EditorModel& model) : model_(model) { ++model_.observers_.depth; }
    ~ChangeScope() {
      if (--model_.observers_.depth == 0) model_.NotifyChanged();
    }
    ChangeScope(const ChangeScope&) = delete;
    ChangeScope& operator=(const ChangeScope&) = delete;

   private:
    EditorModel& model_;
  };

  // Tells every observer now. An observer that unsubscribes during the calls is not called
  // afterwards; one that subscribes during them is called from the next change on.
  void NotifyChanged() {
    const Subscription::List snapshot = *observers_.list;
    for (const auto& entry : snapshot)
      if (entry->active) entry->changed();
  }

  // Set while the model fills its own values (a load), so that no change reaction writes back.
  bool filling = false;

  // The step name of Set(key, ...): "<caption> ändern" for a stored setting; empty for an
  // action, whose reaction names its step.
  std::string StepNameOf(const std::string& key) const {
    for (const EditorSetting& s : Settings())
      if (s.key == key) return (s.section == "cvs" && s.key.size() > 2 ? "CV" + s.key.substr(2) : s.caption) + " ändern";
    return {};
  }

  EditorContext& ctx;

 private:
  // The observers belong to this model object: a copy (the history's state) starts without
  // any, and an assignment (a restore) keeps this model's.
  struct Observers {
    std::shared_ptr<Subscription::List> list = std::make_shared<Subscription::List>();
    int depth = 0;  // open ChangeScopes
    Observers() = default;
    Observers(const Observers&) {}
    Observers& operator=(const Observers&) { return *this; }
  };
  Observers observers_;
};

}  // namespace korrin
