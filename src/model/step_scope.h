#pragma once
// Makes the document operation it lives in one step of the history, or part of
// the step already open, and tells the observers what the operation changed.

#include <string>

#include "model/trasso_doc.h"

class CStepScope {
 public:
  CStepScope(CTrassoDoc& doc, std::string name, std::string mergeKey = {}) : m_doc(doc) {
    doc.BeginStep(std::move(name), std::move(mergeKey));
  }
  ~CStepScope() { m_doc.EndStep(); }
  CStepScope(const CStepScope&) = delete;
  CStepScope& operator=(const CStepScope&) = delete;

  CTrackHistory& History() { return m_doc.m_history; }

 private:
  CTrassoDoc& m_doc;
};
