#include "boatfocus.h"

QVector<bool> settleFocus(QVector<bool> focused, const QVector<bool> &marked, int onlyRow)
{
    if (onlyRow >= 0 && onlyRow < focused.size()) {
        for (int i = 0; i < focused.size(); ++i)
            focused[i] = i == onlyRow;
    }
    // The first boat comes back when the click left none focused, before the marked boats are
    // added: unticking the only focused boat, itself marked, focuses the first boat beside it.
    if (!focused.isEmpty() && !focused.contains(true))
        focused[0] = true;
    for (int i = 0; i < focused.size() && i < marked.size(); ++i) {
        if (marked[i])
            focused[i] = true;
    }
    return focused;
}
