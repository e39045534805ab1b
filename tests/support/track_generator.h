#pragma once
// Large tracks for tests and benchmarks: an n × n grid of square sections of
// 10 units that share their nodes, a feature inside every tenth section, the
// ten starting positions and some free elements.

#include <memory>

#include "model/trasso_doc.h"

std::unique_ptr<CTrassoDoc> GenerateGridTrack(int n);

// Selects every node and every wall.
void SelectEverything(CTrassoDoc& doc);
