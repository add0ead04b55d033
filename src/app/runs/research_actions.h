#pragma once
#include "runs/research_run.h"

namespace rw {

// The research commands of the Calculation menu.

// "Расчет оптимальной активности" (TForm5::N32Click) and "Исследование
// влияния состава сырья" (TForm5::N29Click): the research folder of the
// kind becomes the context's research folder (created when missing), the
// file-choice window takes the command's caption, and the study runs.
void StartStudy(StudyKind kind);

// The study loop: file choice, review of the conditions, one run of the run
// object per pass, the summary, and the question whether to go on. Cancelling
// the file choice or the octane prompt ends it. Throws UserError with the
// message of a step that failed; the main window is enabled again and its
// progress display cleared before the error leaves.
void RunStudy(StudyKind kind);

}  // namespace rw
