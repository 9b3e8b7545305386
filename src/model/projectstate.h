// One part of a project kept aside, so that an edit of that part can be taken
// back and made again exactly.
#pragma once

#include "model/model.h"

// The parts an edit can change.
enum class TProjectPart {
  Settings,   // titles, fonts, shadows, colours, background, dialog position
  Variables,  // the rows of the variables table
  Everything  // every item, the three lists and the Origin too
};

class TProjectState {
 public:
  // Copies the part of the project; the rest of it is not copied.
  TProjectState(const TProject& project, TProjectPart part);

  TProjectPart Part() const { return Part_; }
  // Puts the kept part back into the project; the rest of it stays.
  void Restore(TProject& project) const;

  // Equal parts hold equal items.
  bool operator==(const TProjectState& other) const;

 private:
  TProjectPart Part_;
  TProject Copy_;
};
