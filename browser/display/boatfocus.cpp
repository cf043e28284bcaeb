#include "boatfocus.h"

QVector<bool> settleFocus(QVector<bool> focused, const QVector<bool> &marked, int onlyRow)
{
    if (onlyRow >= 0 && onlyRow < focused.size()) {
        for (int i = 0; i < focused.size(); ++i)
            focused[i] = i == onlyRow;
    }
    bool any = false;
    for (int i = 0; i < focused.size(); ++i) {
        if (i < marked.size() && marked[i])
            focused[i] = true;
        any = any || focused[i];
    }
    if (!any && !focused.isEmpty())
        focused[0] = true;
    return focused;
}
