#pragma once
// Undo and redo of the user's changes to a loaded file. The history keeps a baseline: the
// image cells, what the user edits of the 48 address rows, and a copy of the shown editor
// model's state, as they were after the last step. A commit compares the document with it;
// what changed becomes one step that holds only the changed cells and rows (before and after)
// and the model's state before and after. Undo and redo write one side of a step back.
//
// Every change of the user happens in a named transaction, opened where the editor model or
// the document reacts to the user's action: what changed while the outermost transaction was
// open becomes one step. Typing into a field gives each keystroke the field as merge key, so
// that "1", "12", "128" stay one step until the user leaves the field (EndMerge). A load
// clears the history; a save keeps it.
//
// A document that is never undone (korrin-cli, a read-only look at a file) switches the
// history off: then no baseline is taken at all, and commits record nothing.
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editors/editor_model.h"
#include "editors/step_recorder.h"
#include "image/firmware_image.h"

namespace korrin {

class Document;

class History : public StepRecorder {
 public:
  // At least this many steps are kept; the oldest step goes first.
  static constexpr size_t kMaxSteps = 100;

  explicit History(Document& document) : doc_(document) {}
  History(const History&) = delete;
  History& operator=(const History&) = delete;

  // One user action: `History::Transaction step(history, "CV29 ändern", "cv29");` Nestable;
  // see StepRecorder::Begin.
  class Transaction : public RecordedStep {
   public:
    Transaction(History& history, const std::string& name, const std::string& mergeKey = "")
        : RecordedStep(&history, name, mergeKey) {}
  };

  // StepRecorder. The outermost Begin first records what changed outside any transaction as
  // a step of its own; an inner Begin has no effect, except that an outer one without a name
  // takes the first inner name. The outermost End records (or merges) the step. Without a
  // name the step takes the name the model set for the action (stepName), else a name made
  // from what changed.
  void Begin(const std::string& name, const std::string& mergeKey) override;
  void End() override;
  bool InTransaction() const { return depth_ > 0; }

  // The user left the field: the last step takes no more merges. Returns whether it could
  // still take one (a typed step has just ended).
  bool EndMerge() {
    const bool wasOpen = mergeOpen_;
    mergeOpen_ = false;
    return wasOpen;
  }

  // Off: Clear and Rebase drop the baseline instead of taking one, Commit records nothing,
  // Undo and Redo find nothing. On (the default) takes the baseline now.
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }

  // Drops every step and takes the document's current state as the state before the next
  // step (after a load).
  void Clear();
  // Takes the document's current state as the baseline without recording a step and keeps
  // the steps (after a save has written the rows' codes into the image).
  void Rebase();

  // Names the step recorded by the next commit (a frame that knows its action best).
  void NameNextStep(const std::string& name) { nextName_ = name; }

  // The engine below the transactions, for the save sequence and for changes made outside
  // any transaction: records what changed since the last step as one step named name (or,
  // when empty, the name given before, the model's own step name, or a name made from what
  // changed), drops the steps that could be redone and ends merging. Returns false when
  // nothing changed: no step is recorded, but a changed view (a selected pattern, say)
  // becomes part of the baseline. Does nothing while a transaction is open: its End records.
  bool Commit(const std::string& name = "");

  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < steps_.size(); }
  // The names of the step that undo / redo would restore; empty when there is none.
  std::string UndoName() const;
  std::string RedoName() const;
  // Undo restores the state before the last step done, Redo the state after the first step
  // undone; each returns the step's name, or nothing when there is none. Changes not yet
  // committed are committed first (so a new change drops the steps to redo).
  std::optional<std::string> Undo();
  std::optional<std::string> Redo();

  // The saved state: where in the steps the document holds what was last loaded or saved.
  // A load (Clear) and a save (MarkSaved) put it here; an undo or redo back to it makes the
  // document clean again; a step that drops the way back to it (a new step after undoing past
  // it, the oldest step going) loses it until the next load or save.
  void MarkSaved() {
    saved_ = static_cast<std::ptrdiff_t>(done_);
    mergeOpen_ = false;
  }
  bool AtSavedState() const { return saved_ == static_cast<std::ptrdiff_t>(done_); }
  // Called after a step was recorded or merged into the last one (the window marks its title).
  std::function<void()> onStepRecorded;

  size_t UndoCount() const { return done_; }
  size_t RedoCount() const { return steps_.size() - done_; }
  // An estimate of the bytes the history holds: its containers and the model copies.
  size_t MemoryBytes() const;

 private:
  // One image cell, exactly as it was and is.
  struct CellChange {
    int32_t index;  // ROM cells 0.., EEPROM cells from kEepromBase
    HexCell before, after;
  };
  // A configuration word or the ID text.
  struct WideChange {
    int32_t index;  // kConfigBase + i for the configuration words, kIdIndex
    std::string before, after;
  };
  // What the user edits of an address row.
  struct RowState {
    std::string addressText, functionText;
    bool green = false;
    bool operator==(const RowState&) const = default;
  };
  struct RowChange {
    int row;
    RowState before, after;
  };
  struct Step {
    std::string name;
    std::vector<CellChange> cells;
    std::vector<WideChange> wide;
    std::vector<RowChange> rows;
    EditorModel* model = nullptr;  // the shown model the two states belong to
    std::shared_ptr<const EditorModel> modelBefore, modelAfter;
  };

  void TakeBaseline();
  // Commit without ending merges: merges into the last step when mergeKey allows it.
  bool Record(const std::string& name, const std::string& mergeKey);
  void Merge(Step& last, Step& step);
  std::string NameFor(const Step& step, const std::vector<EditorSetting>& settingsBefore, bool pendingBefore) const;
  void Restore(const Step& step, bool after);
  HexCell* Cell(int32_t index) const;      // a ROM or EEPROM cell; nullptr beyond the image
  std::string* Wide(int32_t index) const;  // a configuration word or the ID
  HexCell& BaselineCell(int32_t index);
  std::string& BaselineWide(int32_t index);

  Document& doc_;
  std::deque<Step> steps_;
  size_t done_ = 0;           // steps_[0, done_) can be undone, the rest redone
  std::ptrdiff_t saved_ = 0;  // done_ at the saved state; negative once no step leads back to it
  std::string nextName_;

  int depth_ = 0;                   // open transactions
  std::string openName_, openKey_;  // of the outermost one
  std::string mergeKey_;            // of the last step recorded
  bool mergeOpen_ = false;          // the last step may still take a merge

  bool enabled_ = true;
  bool hasBaseline_ = false;
  // The image as it was after the last step: the cells as they are held in the image (one
  // block each), the configuration words and the ID.
  HexCells rom_, eeprom_;
  std::array<std::string, 4> config_;
  std::string id_;
  std::array<RowState, 48> rows_;
  EditorModel* model_ = nullptr;
  std::shared_ptr<const EditorModel> modelState_;
  std::vector<EditorSetting> settings_;
  bool pending_ = false;
};

}  // namespace korrin
