#include "data/record_index.h"

namespace tolvinark {

IndexEntry makeIndexEntry(const FileRecord& record) {
    IndexEntry entry;
    entry.serialNumber = recordSerialNumber(record);
    entry.mode = recordMode(record);
    entry.year = recordYear(record);
    entry.month = recordMonth(record);
    entry.day = recordDay(record);
    entry.hour = recordHour(record);
    entry.minute = recordMinute(record);
    entry.second = recordSecond(record);
    entry.concentration = recordConcentration(record);
    return entry;
}

}  // namespace tolvinark
