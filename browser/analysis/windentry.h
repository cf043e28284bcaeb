// Manual wind data entry on the Graph page (edit mode): the user reads the wind direction off
// the boats' upwind courses and clicks it onto the direction panel, in any time order; each
// click becomes a wind sample at the clicked time and direction. Switching the mode off offers
// to store the samples as the race's wind file, "<race file up to its first '.'>_WIND.CSV"
// in winddat, which the race display reads like any other wind file.
//
// The race display owns one WindEntry. The Graph page forwards the button (Command12) and the
// presses on its picture; questions and messages go through platform::dialogs(), so the
// whole entry runs in tests without a window.
//
// While entering, the race's wind table is, with m − 1 samples clicked:
//   1          at −300 s (five minutes before the start), a copy of the first clicked sample
//   2 … m      the clicked samples in ascending order of time
//   m + 1      at D (the finish), a copy of the last clicked sample
// The table replaces what a wind file had loaded; it stays when the mode ends, saved or not,
// until the next load reads the wind file again.
//
// Speeds are not clicked. A clicked sample takes the wind speed of the record the race showed
// when the mode was switched on, interpolated at its time and rounded to 0.01 kn, and 0 (no
// measurement) outside that record or without one; the copies at −300 s and at D take the speed of the sample they copy.
// So a record that was only poor in its directions keeps its speeds, and no sample ever carries
// a speed left over from a slot of an earlier table.
//
// The race's WindFile becomes the new name at the first click, so the page and the wind
// indicator treat the entered samples as the race's wind. When the mode ends without the file
// being written (fewer than two clicks, No to the question, or a write that failed), WindFile
// goes back to the name it had, so a later write of the race file never names a wind file
// that was not made. When the file is written and the race file names another wind file (or
// none), the race file's WF line is changed to name it, so the next load reads it.
#pragma once

#include "graphpage.h"

#include <appsettings.h>
#include <racecontrol.h>
#include <racedata.h>

#include <QVector>

class WindEntry
{
public:
    // WindEntryOn: true while the mode is on.
    bool isOn() const { return m_on; }
    // WindEntryLast: 0 when switched on, 2 after the first click, then one more per click.
    int last() const { return m_last; }
    // The samples clicked since the mode was switched on, in order of time.
    const QVector<WindSample> &clicked() const { return m_clicked; }

    // The button: switches the mode on (asking first whether to overwrite the race's wind
    // file when it has one) or off (asking whether to save when at least two samples were
    // clicked, and saving on Yes). The caller stops the replay while the mode is on and starts
    // it again when it is off, and colours the button (yellow while on).
    void toggle(const AppSettings &settings, RaceControl &race, RaceData &data);

    // A press at (x, y) on the graph picture, with the scale of its last drawing. Outside the
    // direction panel (x < 30 or x > 390), with the mode off or without a usable scale nothing
    // happens and the result is false; otherwise the sample is entered, the wind table rebuilt
    // and the result is true (the caller redraws the graph).
    bool press(double x, double y, const GraphScale &scale, RaceControl &race, RaceData &data);

    // Back to off without asking, for a new race.
    void reset();

private:
    void switchOff(RaceControl &race);
    double speedAt(double t) const;

    bool m_on = false;
    int m_last = 0;
    QVector<WindSample> m_clicked;
    QVector<WindSample> m_before; // the record shown when the mode was switched on
    QString m_nameBefore;         // the race's WindFile then
    bool m_named = false;         // the clicks have given WindFile the new name
};

// Makes the race control file raceadmin/<race.FileName> name race.WindFile: its WF lines
// are replaced (one is put first when it has none); every other line stays as it is. Nothing
// happens when the file already names it or when the race has no file. A file that cannot be
// read or written gives a message naming it and returns false.
bool storeWindFileName(const AppSettings &settings, const RaceControl &race);
