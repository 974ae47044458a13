#pragma once

#include <map>
#include <string>
#include <vector>

#include "stream_input.h"

// What a stand-in MPEG library was asked and what it answers. It records
// every call by name, leaves the error code that the test names for a call,
// and answers queries with the values the test sets.
struct StandIn {
  std::vector<std::string> calls;
  std::map<std::string, int> errors;
  int lastError = 0;
  bool initResult = true;
  int playResult = 0;
  int mode = 0;
  int position = 0;
  int length = 0;

  std::string fileName;
  int streamFlag = -1;
  StreamCallbacks stream;
  int priority = 0;
  int device = -1;
  std::string outFile;
  int soundDevice = -1;
  int startPos = -1;
  int endPos = -1;
  int pauseFlag = -1;
  int seekPosition = -1;
  double volume = -1;
  unsigned char* ended = nullptr;
};

// Exported by the stand-in for the test to reach its state.
extern "C" StandIn* standIn();
