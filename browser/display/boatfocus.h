// Which boats are focused after a click in the boat list. Focus decides which boats get
// tracks, time marks, the automatic fit and the thick speed bar.
#pragma once

#include <QVector>

// focused and marked hold one flag per boat, boat n at n − 1. onlyRow ≥ 0: the right button
// on that row's name, which focuses that boat alone; −1 for any other click (the clicked box
// has already changed its own flag). In this order: when no boat is left focused the first
// one is; then every marked boat is focused.
QVector<bool> settleFocus(QVector<bool> focused, const QVector<bool> &marked, int onlyRow = -1);
