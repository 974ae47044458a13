#include "services/media_device/disc_image.h"

#include <fcntl.h>
#include <gst/gst.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

#include "services/files/list_file_format.h"
#include "services/media_device/cue_sheet.h"
#include "services/media_device/gst_support.h"
#include "services/media_device/media_device.h"
#include "services/media_device/wave_audio.h"

namespace {

constexpr int kDecodeWaitSeconds = 600;

[[noreturn]] void cannotPlay(const QString& image, const QString& reason) {
  throw MediaDeviceError(DeviceErrorCode::NoDisc,
                         QString("The disc image \"%1\" cannot be played: %2.").arg(image, reason));
}

// Decodes a sound file to raw CD audio through GStreamer; the error text on failure.
QString decodeToCdAudio(const QString& path, const QString& rawPath) {
  gst::initialise();
  GError* error = nullptr;
  GstElement* pipeline = gst_parse_launch(
      "filesrc name=in ! decodebin ! audioconvert ! audioresample ! "
      "audio/x-raw,format=S16LE,rate=44100,channels=2,layout=interleaved ! filesink name=out",
      &error);
  if (!pipeline) {
    const QString text = error ? QString::fromUtf8(error->message) : QString("no decoder");
    if (error) g_error_free(error);
    return text;
  }
  GstElement* in = gst_bin_get_by_name(GST_BIN(pipeline), "in");
  GstElement* out = gst_bin_get_by_name(GST_BIN(pipeline), "out");
  g_object_set(in, "location", QFile::encodeName(path).constData(), nullptr);
  g_object_set(out, "location", QFile::encodeName(rawPath).constData(), nullptr);
  gst_object_unref(in);
  gst_object_unref(out);
  gst_element_set_state(pipeline, GST_STATE_PLAYING);
  GstBus* bus = gst_element_get_bus(pipeline);
  GstMessage* message =
      gst_bus_timed_pop_filtered(bus, kDecodeWaitSeconds * GST_SECOND,
                                 static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
  QString failure;
  if (!message) {
    failure = "decoding took too long";
  } else if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
    GError* decodeError = nullptr;
    gst_message_parse_error(message, &decodeError, nullptr);
    failure =
        decodeError ? QString::fromUtf8(decodeError->message) : QString("it cannot be decoded");
    if (decodeError) g_error_free(decodeError);
  }
  if (message) gst_message_unref(message);
  gst_object_unref(bus);
  gst_element_set_state(pipeline, GST_STATE_NULL);
  gst_object_unref(pipeline);
  return failure;
}

QString volumeId(const std::array<char, 2048>& descriptor) {
  // ISO 9660 primary volume descriptor: type 1, "CD001", the id at 40..71.
  if (descriptor[0] != 1 || std::string_view(descriptor.data() + 1, 5) != "CD001") return {};
  return QString::fromLatin1(descriptor.data() + 40, 32).trimmed();
}

// Where a FILE line's file is. Sheets made on Windows put backslashes
// between folders and care nothing for letter case, as list files do; a
// name whose folders are not here (a sheet moved from the machine it was
// made on) is looked for beside the sheet. Null when it is nowhere.
std::optional<QString> locate(const QDir& folder, const QString& name,
                              LetterCaseResolver& resolver) {
  const QString relative = QString(name).replace('\\', '/');
  for (const QString& path : {QDir::cleanPath(folder.absoluteFilePath(relative)),
                              folder.absoluteFilePath(QFileInfo(relative).fileName())}) {
    const QString found = resolver.resolve(path);
    if (QFileInfo(found).isFile()) return found;
  }
  return std::nullopt;
}

}  // namespace

DiscImage::~DiscImage() {
  for (int fd : fds_) ::close(fd);
}

std::shared_ptr<const DiscImage> DiscImage::open(const QString& cuePath) {
  const QString image = QFileInfo(cuePath).fileName();
  QFile cue(cuePath);
  if (!cue.open(QIODevice::ReadOnly)) cannotPlay(image, "it cannot be read");
  CueSheet sheet;
  try {
    sheet = parseCueSheet(cue.read(1 << 20));
  } catch (const MediaDeviceError& error) {
    cannotPlay(image, QString::fromUtf8(error.what()));
  }
  const QDir folder = QFileInfo(cuePath).absoluteDir();
  LetterCaseResolver resolver;

  std::shared_ptr<DiscImage> disc(new DiscImage);
  disc->toc_.text = sheet.text;
  int frame = 0;
  bool cutShort = false;
  for (std::size_t f = 0; f < sheet.files.size() && !cutShort; ++f) {
    const CueFile& file = sheet.files[f];
    const std::optional<QString> found = locate(folder, file.name, resolver);
    if (!found)
      cannotPlay(image, QString("the file \"%1\" it names cannot be found").arg(file.name));
    QString path = *found;
    // The samples of the file: all of it, or those of a WAVE file of CD audio
    // as they lie; any other WAVE file is decoded first.
    WaveAudio audio{0, -1};
    if (file.kind == CueFile::Kind::Wave) {
      if (const std::optional<WaveAudio> inPlace = cdAudioInWave(path))
        audio = *inPlace;
      else
        path = disc->decoded(image, file.name, path);
    }
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) cannotPlay(image, QString("the file \"%1\" cannot be read").arg(file.name));
    disc->fds_.push_back(fd);
    const qint64 size = audio.size >= 0 ? audio.size : QFileInfo(path).size();

    // The file's tracks, each from its INDEX 01 to the next one's (the next
    // track's INDEX 00 stretch plays with it, as on a disc).
    std::vector<const CueTrack*> tracks;
    for (const CueTrack& track : sheet.tracks)
      if (track.file == static_cast<int>(f)) tracks.push_back(&track);
    for (std::size_t t = 0; t < tracks.size(); ++t) {
      const CueTrack& track = *tracks[t];
      if (t > 0 && track.index1 <= tracks[t - 1]->index1)
        cannotPlay(image, "its INDEX times go backwards");
      const qint64 offset = qint64{track.index1} * track.blockSize;
      const qint64 end = t + 1 == tracks.size()
                             ? size
                             : std::min(size, qint64{tracks[t + 1]->index1} * track.blockSize);
      // A file cut short (an unfinished copy) ends the disc with the last track it reaches.
      if (offset >= end) {
        cutShort = true;
        break;
      }
      if (track.pregap > 0) {
        disc->pieces_.push_back({frame, track.pregap, -1, 0, kBytesPerFrame, false});
        frame += track.pregap;
      }
      const int frames = static_cast<int>((end - offset + track.blockSize - 1) / track.blockSize);
      disc->toc_.tracks.push_back({frame, track.audio, track.text});
      disc->pieces_.push_back({frame, frames, fd, audio.offset + offset, track.blockSize,
                               file.kind == CueFile::Kind::BigEndian});
      frame += frames;
    }
  }
  if (disc->toc_.empty())
    cannotPlay(image, QString("\"%1\" holds no sound").arg(sheet.files.front().name));
  disc->toc_.leadout = frame;
  return disc;
}

QString DiscImage::decoded(const QString& image, const QString& name, const QString& path) {
  auto raw = std::make_unique<QTemporaryFile>(QDir::tempPath() + "/corvela-image-XXXXXX.raw");
  if (!raw->open()) cannotPlay(image, "there is no room to decode its sound files");
  const QString failure = decodeToCdAudio(path, raw->fileName());
  if (!failure.isEmpty())
    cannotPlay(image, QString("\"%1\" cannot be decoded (%2)").arg(name, failure));
  const QString rawPath = raw->fileName();
  decoded_.push_back(std::move(raw));
  return rawPath;
}

const DiscImage::Piece* DiscImage::pieceAt(int frame) const {
  const auto after =
      std::upper_bound(pieces_.begin(), pieces_.end(), frame,
                       [](int value, const Piece& piece) { return value < piece.start; });
  if (after == pieces_.begin()) return nullptr;
  const Piece& piece = *(after - 1);
  return frame < piece.start + piece.frames ? &piece : nullptr;
}

bool DiscImage::readAudio(int frame, int count, unsigned char* out) const {
  std::memset(out, 0, static_cast<std::size_t>(count) * kBytesPerFrame);
  while (count > 0) {
    const Piece* piece = pieceAt(frame);
    if (!piece) return false;
    const int frames = std::min(count, piece->start + piece->frames - frame);
    if (piece->fd >= 0) {
      const std::size_t bytes = static_cast<std::size_t>(frames) * kBytesPerFrame;
      const qint64 at = piece->offset + qint64{frame - piece->start} * piece->blockSize;
      // The end of a file may stop short of a whole frame: the rest stays silent.
      if (::pread(piece->fd, out, bytes, at) < 0) return false;
      if (piece->swapBytes)
        for (std::size_t i = 0; i + 1 < bytes; i += 2) std::swap(out[i], out[i + 1]);
    }
    out += static_cast<std::size_t>(frames) * kBytesPerFrame;
    frame += frames;
    count -= frames;
  }
  return true;
}

QString DiscImage::volumeLabel() const {
  if (toc_.allAudio()) return QStringLiteral("Audio CD");
  for (const DiscTrack& track : toc_.tracks) {
    if (track.audio) continue;
    const Piece* piece = pieceAt(track.start + 16);
    if (!piece || piece->fd < 0) return {};
    // A raw sector keeps its user data behind a 16-byte header.
    const qint64 header = piece->blockSize == kBytesPerFrame ? 16 : 0;
    std::array<char, 2048> descriptor{};
    const qint64 at =
        piece->offset + qint64{track.start + 16 - piece->start} * piece->blockSize + header;
    if (::pread(piece->fd, descriptor.data(), descriptor.size(), at) !=
        static_cast<ssize_t>(descriptor.size()))
      return {};
    return volumeId(descriptor);
  }
  return {};
}
