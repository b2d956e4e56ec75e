// Which device each row of a batch goes to: the rows of one device form its
// queue, in the file's order; a row that names no attached logger (or
// several) fails without running.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "cli/BatchFile.h"
#include "cli/PageOperations.h"
#include "cli/PortSurvey.h"

namespace tb::cli {

struct DeviceQueue {
    int com = 0;        // the port its worker is confined to
    std::string label;  // "COM5 00820001" in the row lines
    std::vector<std::size_t> rows;  // indexes into the file's rows, in file order
};

struct UnplacedRow {
    std::size_t row = 0;
    OperationResult result;
};

struct BatchPlan {
    std::vector<DeviceQueue> devices;  // in the order of their first row
    std::vector<UnplacedRow> unplaced;
};

BatchPlan PlanBatch(const std::vector<BatchRow>& rows, const std::vector<SurveyedPort>& ports);

}  // namespace tb::cli
