#include "windows/viewer/picture_walk.h"

#include <algorithm>

#include "services/files/selection_lines.h"

// Without a picture the window is its list view, or the control panel alone.
PictureWalk::Shape PictureWalk::shape() const {
  if (shown_) return shape_;
  return CompactMode ? Shape::Compact : Shape::ListView;
}

PictureWalk::Shape PictureWalk::displayShape() const {
  if (TvLook) return Shape::Framed;
  if (PictureSize == Size::FillScreen) return Shape::FullScreen;
  if (PictureSize == Size::Original) return Shape::OriginalSize;
  return Shape::Window;
}

// LastIndex may run ahead of the lines while the list is being filled.
bool PictureWalk::ticked(int line) const { return line < lines_.count() && lines_.ticked(line); }

PictureWalk::Place PictureWalk::from(int line, bool slideShow) const {
  for (int row = std::max(line, 0); row <= LastIndex; ++row)
    if (ticked(row)) return {Step::Show, row};
  if (slideShow) return {Step::EndOfShow, 0};
  return {Step::BeepAtEnd, LastIndex + 1};
}

int PictureWalk::showStart(int highlighted) const {
  const Place place = from(highlighted, false);
  return place.step == Step::Show ? place.line : -1;
}

int PictureWalk::previousTicked(int highlighted) const {
  for (int row = std::min(highlighted, LastIndex + 1) - 1; row >= 0; --row)
    if (ticked(row)) return row;
  return -1;
}

int PictureWalk::nextLine(int current) const { return current + 1 <= LastIndex ? current + 1 : -1; }

PictureWalk::AfterFailure PictureWalk::afterFailure(bool yes, bool slideShow) {
  if (!yes) return AfterFailure::Stop;
  return slideShow ? AfterFailure::ContinueShow : AfterFailure::BackToList;
}
