#pragma once

// One decompressor of the library. Making a session loads the library (or
// throws EFIFError); the decompressor itself opens on first use.
class TFIFDecodeSession {
 public:
  TFIFDecodeSession();
  ~TFIFDecodeSession();
  TFIFDecodeSession(const TFIFDecodeSession&) = delete;
  TFIFDecodeSession& operator=(const TFIFDecodeSession&) = delete;

  int Handle();

 private:
  int handle_ = 0;
};
