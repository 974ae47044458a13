#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>

#include "services/picture/graphic.h"

// The picture classes known by lower-case file extension, each with a
// description. The bitmap, icon, metafile and JPEG classes are always there;
// other formats add and remove themselves while the program runs.
class GraphicFormats {
 public:
  using Factory = std::function<std::unique_ptr<Graphic>()>;

  GraphicFormats();

  // The program's own table.
  static GraphicFormats& Standard();

  void Add(const QString& extension, const QString& description, Factory make);
  void Remove(const QString& extension);
  bool Has(const QString& extension) const;
  QString Description(const QString& extension) const;
  QStringList Extensions() const;

  // A new, empty picture of the class for the extension.
  std::unique_ptr<Graphic> Create(const QString& extension) const;
  // Loads the file into a picture of the class its extension names.
  std::unique_ptr<Graphic> LoadFromFile(const QString& path) const;

 private:
  struct Format {
    QString description;
    Factory make;
  };
  std::map<QString, Format> formats_;
};
