#pragma once
// A shell script run against trasso-cli in a scratch folder holding a small track `t.tr`, with
// the status it must end with and a part of what it must print.
#include <gtest/gtest.h>

#include <string>

#include "../compile/compile_test_support.h"
#include "model/track_file.h"
#include "platform/process.h"
#include "support/scratch_folder.h"
#include "support/track_generator.h"

struct ScriptCase {
  const char* name;
  int status;
  const char *output, *script;  // output: a part of standard output and error
};

// Runs `script` with sh in `folder`, after writing `t.tr` there, and checks status and output.
inline CProcessResult RunScriptCase(const ScriptCase& c, const std::string& script,
                                    const ScratchFolder& folder) {
  SaveTrackFile(*GenerateGridTrack(2), folder / "t.tr");
  const CProcessResult run = RunProcess("/bin/sh", {"sh", "-c", script}, folder.Path());
  EXPECT_EQ(std::pair(run.m_ending, run.m_nCode),
            std::pair(CProcessResult::Ending::kExited, c.status))
      << c.name << ": " << run.m_strOutput;
  EXPECT_TRUE(Contains(run.m_strOutput, c.output)) << c.name << ": " << run.m_strOutput;
  return run;
}
