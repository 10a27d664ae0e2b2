#pragma once
#include <QElapsedTimer>

#include <algorithm>
#include <vector>

// The median time of `runs` calls of `work`, in milliseconds.
template <class Work> double MedianMilliseconds(int runs, Work work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
