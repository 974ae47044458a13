#pragma once

#include <QString>
#include <optional>

// What the large-fonts test reads of the display. nullopt: the value could
// not be reached at all.
class DisplayConfiguration {
 public:
  virtual ~DisplayConfiguration() = default;
  // The desktop's font resolution setting as text; empty when unset.
  virtual std::optional<QString> dpiLogicalX() const = 0;
  // The screen's logical resolution in dots per inch.
  virtual std::optional<int> logPixels() const = 0;
};

// X11: the Xft.dpi resource; the primary screen's logical DPI. A machine without
// X resources (Wayland, the offscreen platform) has an empty Xft.dpi.
class SystemDisplayConfiguration : public DisplayConfiguration {
 public:
  std::optional<QString> dpiLogicalX() const override;
  std::optional<int> logPixels() const override;
};
