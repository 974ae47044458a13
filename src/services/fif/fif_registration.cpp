#include "services/fif/fif_registration.h"

#include "services/fif/deco_library.h"
#include "services/fif/fif_image.h"
#include "services/picture/graphic_formats.h"

bool RegisterFifFormat(GraphicFormats& formats, const QString& library) {
  if (!deco_library::LoadDecoLibrary(library, false)) return false;
  formats.Add("fif", "Fractal Image File", [] { return std::make_unique<TFIFImage>(); });
  return true;
}

void UnregisterFifFormat(GraphicFormats& formats) {
  formats.Remove("fif");
  deco_library::ReleaseDecoLibrary();
}
