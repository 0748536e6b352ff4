#pragma once
// The run object a report framework hands out while an output was asked for:
// the window gives it the query object, whose progress then shows.

#include <QObject>

#include "zolmar/report/report_output.h"
#include "zolmar/report/report_query.h"

namespace zolmar {

class ReportRun {
 public:
  explicit ReportRun(ReportOutput output) : output_(std::move(output)) {}

  void Run(ReportQuery& query) { query_ = &query; }
  const ReportOutput& Output() const { return output_; }
  ReportQuery* Query() const { return query_; }

 private:
  ReportOutput output_;
  ReportQuery* query_ = nullptr;
};

}  // namespace zolmar
