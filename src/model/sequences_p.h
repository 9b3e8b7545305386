// The three list values of "Config" (the codes of the ticked entries) between the
// writer, the reader and the change of catalogue. Used inside the model only.
#pragma once

#include <string>
#include <vector>

#include "model/model.h"

struct TSequenceValues {
  std::string Pred;   // "PreInstallDialogSequence"
  std::string Post;   // "PostInstallDialogSequence"
  std::string Langs;  // "Languages"
};

// The values that Save writes for the project's lists: the codes that their ticked
// entries hold, in their order. Raises as SaveProject does for a code it refuses.
TSequenceValues SequenceValues(const TProject& project);

// Applies the values to the project's lists as Open applies a file's "Config"
// keys, the lists being filled (by FillLists) from the catalogue at cataloguePath,
// which the problems name; returns the problems as OpenProjectReport does.
std::vector<TOpenProblem> ApplySequenceValues(const TSequenceValues& values,
                                              const std::string& cataloguePath, TProject& project);

// Fills the three lists from the catalogue (emptied first; ticking and selecting
// "Русский", the last post-installation entry the final one) and makes it the
// project's Catalogue. Raises the engine's open error
// for a catalogue that exists but cannot be opened, the lists then empty.
void FillLists(TProject& project, const std::string& cataloguePath);
