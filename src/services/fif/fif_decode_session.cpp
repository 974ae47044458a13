#include "services/fif/fif_decode_session.h"

#include "services/fif/deco_library.h"

TFIFDecodeSession::TFIFDecodeSession() {
  deco_library::LoadDecoLibrary(QString(), true);
  deco_library::countSession(+1);
}

TFIFDecodeSession::~TFIFDecodeSession() {
  deco_library::countSession(-1);
  if (handle_ == 0) return;
  // Closing cannot fail usefully; a missing entry point is simply skipped.
  const auto& e = deco_library::entries();
  if (e.ClearFIFBuffer) e.ClearFIFBuffer(handle_);
  if (e.ClearFTTBuffer) e.ClearFTTBuffer(handle_);
  if (e.CloseDecompressor) e.CloseDecompressor(handle_);
  handle_ = 0;
}

int TFIFDecodeSession::Handle() {
  if (handle_ == 0) deco_library::check(DECO_CALL(OpenDecompressor, &handle_));
  return handle_;
}
