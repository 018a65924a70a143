#pragma once
// Undo and redo of the user's changes to a loaded file. The history keeps a baseline: the
// image cells, what the user edits of the 48 address rows, and a copy of the shown editor
// model's state, as they were after the last step. A commit compares the document with it;
// what changed becomes one step that holds only the changed cells and rows (before and after)
// and the model's state before and after. Undo and redo write one side of a step back.
//
// The window commits when a user action has ended (a mouse button released, Enter pressed,
// an edit left), so typing "128" into a box is one step. A load clears the history; a save
// keeps it.
//
// A document that is never undone (korrin-cli, a read-only look at a file) switches the
// history off: then no baseline is taken at all, and commits record nothing.
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editors/editor_model.h"
#include "image/firmware_image.h"

namespace korrin {

class Document;

class History {
 public:
  // At least this many steps are kept; the oldest step goes first.
  static constexpr size_t kMaxSteps = 100;

  explicit History(Document& document) : doc_(document) {}

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

  // Records what changed since the last commit as one step named name (or, when empty, the
  // name given before, the model's own step name, or a name made from what changed) and drops
  // the steps that could be redone. Returns false when nothing changed: no step is recorded,
  // but a changed view (a selected pattern, say) becomes part of the baseline.
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
  void MarkSaved() { saved_ = static_cast<std::ptrdiff_t>(done_); }
  bool AtSavedState() const { return saved_ == static_cast<std::ptrdiff_t>(done_); }

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
  std::string NameFor(const Step& step, const std::vector<EditorSetting>& settingsBefore, bool pendingBefore) const;
  void Restore(const Step& step, bool after);
  HexCell* Cell(int32_t index) const;      // a ROM or EEPROM cell; nullptr beyond the image
  std::string* Wide(int32_t index) const;  // a configuration word or the ID
  HexCell& BaselineCell(int32_t index);
  std::string& BaselineWide(int32_t index);

  Document& doc_;
  std::deque<Step> steps_;
  size_t done_ = 0;  // steps_[0, done_) can be undone, the rest redone
  std::ptrdiff_t saved_ = 0;  // done_ at the saved state; negative once no step leads back to it
  std::string nextName_;

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
