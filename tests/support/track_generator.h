#pragma once
// An n × n grid of 10-unit sections sharing nodes, a feature in every tenth, ten starts, 8
// elements.

#include <memory>

#include "model/trasso_doc.h"

std::unique_ptr<CTrassoDoc> GenerateGridTrack(int n);

// Selects every node and every wall.
void SelectEverything(CTrassoDoc& doc);
