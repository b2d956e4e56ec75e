#include "modelcom/RecStartRecord.h"

namespace tb::modelcom {

std::array<uint8_t, kRecStartRecordSize> BuildRecStartRecord(std::span<const RecordField> layout,
                                                             std::span<const int> arguments) {
    std::array<uint8_t, kRecStartRecordSize> record{};
    for (const RecordField& field : layout) {
        size_t index = static_cast<size_t>(field.argument) - 2;
        if (index >= arguments.size() || field.offset + field.size > record.size()) continue;
        uint32_t value = static_cast<uint32_t>(arguments[index]);
        for (size_t i = 0; i < field.size; ++i) {
            record[field.offset + i] = static_cast<uint8_t>((value >> (8 * i)) & 0xFF);
        }
    }
    return record;
}

}  // namespace tb::modelcom
