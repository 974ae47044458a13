// The shown picture on paper and on the clipboard, as the picture area holds it.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>

#include "services/picture/graphic.h"
#include "windows/viewer/picture_area.h"

void PictureArea::drawPicture(QPainter& painter, const QRect& rect) {
  if (!cut_.isNull())
    painter.drawImage(rect, cut_);
  else if (picture_)
    picture_->Draw(painter, rect);
}

void PictureArea::copyToClipboard() {
  if (!picture_) return;
  auto data = std::make_unique<QMimeData>();
  if (!cut_.isNull())
    data->setImageData(cut_);
  else
    picture_->SaveToClipboardFormat(*data);
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setMimeData(data.release());
}
