#include "maptemplates.h"

namespace art {

QByteArray mapTemplate() {
    // Tile codes of texture set 01: 0 grass, 1 flowers, 2 dirt path.
    static const char* const rows[mapRows] = {
        "00100000200000100", //
        "00000100200000000", //
        "01000000200010000", //
        "00000000200000010", //
        "00010000200000000", //
        "00000000200100000", //
        "10000010200000010", //
        "00000000200001000", //
    };
    QByteArray out = QByteArray::number(heroStartColumn).rightJustified(2, '0') +
                     QByteArray::number(heroStartRow).rightJustified(2, '0') + "\r\n";
    for (const char* row : rows)
        out += QByteArray(row) + "\r\n";
    return out;
}

QByteArray collisionTemplate() {
    QByteArray out;
    for (int r = 0; r < mapRows; ++r)
        out += QByteArray(mapColumns, '0') + "\r\n";
    return out;
}

} // namespace art
