#include "composition/streams.h"

#include "common/errors.h"

namespace rw {

const StreamRow& StreamTableRow(int number) {
    static const StreamRow streams[kStreamCount] = {
        {1, "Сырьё", ".SIR"},
        {2, "Катализат", ".KAT"},
        {3, "Боковой погон", ".BOK"},
    };
    if (number < 1 || number > kStreamCount) throw UserError("Range check error");
    return streams[number - 1];
}

}  // namespace rw
