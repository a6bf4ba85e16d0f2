#pragma once
// Help as the user gets it: the program hands its help file to the shell's
// "open" verb, which starts the viewer registered for .chm files. During a
// test a stand-in viewer (HelpRecorder) is registered and records the file
// it was asked to open.
#include <string>

#include "AppUi.h"

// Registers viewer for .chm files, presses Help (the Config tab must be
// shown), waits for the viewer and restores the registry. Returns the file
// the viewer was given, or "" when it did not run. record is a scratch file.
std::string OpenHelpThroughViewer(const TAppUi& ui, const TDriverMetrics& metrics,
                                  const std::string& viewer, const std::string& record);

// Where the program looks for its help: beside the executable.
std::string HelpFileBeside(const std::string& exe);
