#pragma once
// The problems of a track as one JSON document for scripts, on one line:
//   {"problems":[{"severity":"error","kind":"overlap","text":"Sections overlap",
//                 "objects":[{"type":"section","number":3},{"type":"section","number":7}]}],
//    "errors":1,"warnings":0}
// An object is {"type":"section"|"feature"|"node","number":N},
// {"type":"wall","section"|"feature":N,"wall":W} or {"type":"item","name":"Mine","node":N},
// numbered as the problems number them. The severity is "error" or "warning"
// and the kind its ProblemKindName whatever language the texts are in; the
// texts are converted to UTF-8.

#include <string>
#include <vector>

#include "check/track_problem.h"

std::string ProblemsJson(const std::vector<TrackProblem>& problems);
