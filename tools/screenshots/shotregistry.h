// The windows that scripts/screenshot pictures. Each window registers a
// factory under a name; the program builds it on sample data, shows it, waits
// until it is drawn and saves what a user would see.
#pragma once

#include "records/clock.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zanpel::shots {

struct TShotContext {
    std::string DataFolder; // a fresh folder holding the sample files
    FixedClock& Clock;      // "now" of the sample data
};

struct TShot {
    std::unique_ptr<QWidget> Window;
    // Runs once the window is on the screen (a selection, a page to open).
    std::function<void()> AfterShown;
};

using TShotFactory = std::function<TShot(TShotContext&)>;

struct TShotEntry {
    std::string Name; // also the picture's file name without ".png"
    TShotFactory Factory;
};

void RegisterShot(std::string name, TShotFactory factory);
const std::vector<TShotEntry>& Shots();

// Registers a factory from a file's static initialisation.
struct TShotRegistrar {
    TShotRegistrar(const char* name, TShotFactory factory) {
        RegisterShot(name, std::move(factory));
    }
};

} // namespace zanpel::shots
