// Speed and course of every sample, and the race's maximum speed.
//
// For a boat of 6 or more samples, sample j (1 … count − 1) gets the course of the straight step
// to sample j + 1 (whole degrees true, 0 … 359; a step of no length keeps the course before it)
// and the speed over the samples max(j − 1, 1) … min(j + 2, count): their summed straight
// distances over the time between the first and the last of them. Distances in metres with
// 1852 m to the minute of latitude and the cosine of the centre latitude for longitude. The
// last sample, and every sample of a shorter track, keeps 0 and 0. A window whose samples share
// one time (equal times are kept by the reader) has speed 0.
#pragma once

#include "viewerrace.h"

// Fills Speed and Course of every boat's samples. Returns the maximum speed: the largest
// sample speed below 10 knots (0 when none), which scales the speed bars and graph. The boats
// are shared among `threads` threads (0: one per core); the values are the same whatever the
// number.
double deriveSpeedsAndCourses(ViewerRace &race, double cosCentreLat, int threads = 0);

// Course of a step (north, east in metres), degrees in 0 … 360: 0, 90 or 270 when north is 0.
double stepCourse(double north, double east);
