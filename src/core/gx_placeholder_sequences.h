#pragma once

class GxTaskBase;
class GxSeqBase;

namespace gx {

// Builds the game's sequences under `root` as plain placeholders until the
// front-end screens exist: "SeqSystem" as a plain sequence (returned, to be
// registered as the system sequence), then SeqBoot, SeqTitle, SeqOpening,
// SeqAvgMain, SeqAvgLog, SeqConfig, SeqSave, SeqLoad, SeqQuickLoad, SeqCGMode,
// SeqCGModeView, SeqRPMode, SeqBGMMode and SeqTest as transition sequences.
GxSeqBase* CreatePlaceholderSequences(GxTaskBase* root);

}  // namespace gx
