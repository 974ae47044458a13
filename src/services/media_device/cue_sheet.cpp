#include "services/media_device/cue_sheet.h"

#include <dlfcn.h>
#include <libcue.h>

#include <QList>
#include <QStringDecoder>
#include <array>
#include <memory>

#include "services/media_device/media_device.h"

namespace {

struct CdDeleter {
  void operator()(Cd* cd) const { cd_delete(cd); }
};

[[noreturn]] void broken(const QString& reason) {
  throw MediaDeviceError(DeviceErrorCode::NoDisc, reason);
}

// What the parser does not tell: each FILE line's type, each track's PREGAP,
// and whether each track has its INDEX 01.
struct LineFacts {
  QList<CueFile::Kind> fileKinds;
  QList<int> pregaps;
  QList<bool> hasIndex1;
};

// A time on a disc, "mm:ss:ff". Anything else, a huge minute count among
// them, is a broken sheet rather than a number to overflow.
int msfFrames(const QByteArray& msf) {
  const QList<QByteArray> parts = msf.split(':');
  std::array<int, 3> values{-1, -1, -1};
  for (int n = 0; parts.size() == 3 && n < 3; ++n) {
    bool ok = false;
    const int value = parts[n].toInt(&ok);
    if (ok) values[n] = value;
  }
  const auto [minutes, seconds, frames] = values;
  if (minutes < 0 || minutes > 99 || seconds < 0 || seconds > 59 || frames < 0 ||
      frames >= kFramesPerSecond)
    broken(QString("\"%1\" is not a time on a disc").arg(QString::fromUtf8(msf)));
  return (minutes * 60 + seconds) * kFramesPerSecond + frames;
}

LineFacts scanLines(const QByteArray& text) {
  LineFacts facts;
  for (const QByteArray& raw : text.split('\n')) {
    const QByteArray line = raw.trimmed();
    const QList<QByteArray> words = line.simplified().split(' ');
    const QByteArray keyword = words.first().toUpper();
    if (keyword == "FILE") {
      const QByteArray type = words.last().toUpper();
      if (type != "BINARY" && type != "MOTOROLA" && type != "WAVE")
        broken(QString("its file type \"%1\" is not one this player reads")
                   .arg(QString::fromUtf8(words.last())));
      facts.fileKinds << (type == "WAVE"       ? CueFile::Kind::Wave
                          : type == "MOTOROLA" ? CueFile::Kind::BigEndian
                                               : CueFile::Kind::LittleEndian);
    } else if (keyword == "TRACK") {
      facts.pregaps << 0;
      facts.hasIndex1 << false;
    } else if (keyword == "PREGAP" && words.size() > 1 && !facts.pregaps.isEmpty()) {
      facts.pregaps.last() = msfFrames(words[1]);
    } else if (keyword == "INDEX" && words.size() > 1 && words[1].toInt() == 1 &&
               !facts.hasIndex1.isEmpty()) {
      facts.hasIndex1.last() = true;
    }
  }
  return facts;
}

int blockSizeOf(enum TrackMode mode) {
  switch (mode) {
    case MODE_MODE1:
    case MODE_MODE2_FORM1:
      return 2048;
    case MODE_MODE2:
      return 2336;
    case MODE_MODE2_FORM2:
      return 2324;
    case MODE_MODE2_FORM_MIX:
      return 2332;
    default:
      return kBytesPerFrame;
  }
}

// libcdio exports a cdtext_get of its own, and the program links both
// libraries: the name alone may reach libcdio's, so ask libcue for its own.
using CueTextField = const char* (*)(enum Pti, const Cdtext*);
CueTextField cueTextField() {
  static const CueTextField field = [] {
    void* library = dlopen("libcue.so.2", RTLD_NOW | RTLD_NOLOAD);
    return library ? reinterpret_cast<CueTextField>(dlsym(library, "cdtext_get")) : nullptr;
  }();
  return field;
}

// Windows-1252 is Latin-1 but for 0x80 to 0x9F; the five bytes it leaves
// undefined stand for themselves, as Windows reads them.
constexpr std::array<char16_t, 32> kWindows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromWindows1252(QByteArrayView bytes) {
  QString text;
  text.reserve(bytes.size());
  for (const char byte : bytes) {
    const auto code = static_cast<unsigned char>(byte);
    text += code >= 0x80 && code < 0xA0 ? QChar(kWindows1252High[code - 0x80]) : QChar(code);
  }
  return text;
}

// The sheet's text as UTF-8, which the parser hands back unchanged. Sheets
// saved on Windows come in UTF-8 (often behind a byte-order mark), in
// UTF-16 behind its mark, or in the code page of the ripper's machine:
// text that is not valid UTF-8 is read as Windows-1252.
QByteArray asUtf8(QByteArrayView text) {
  if (text.startsWith("\xFF\xFE") || text.startsWith("\xFE\xFF")) {
    QStringDecoder utf16(text[0] == '\xFF' ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    return QString(utf16.decode(text.sliced(2))).toUtf8();
  }
  if (text.startsWith("\xEF\xBB\xBF")) text = text.sliced(3);
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString decoded = utf8.decode(text);
  return (utf8.hasError() ? fromWindows1252(text) : decoded).toUtf8();
}

CdText textOf(Cdtext* cdtext) {
  const auto field = [cdtext](Pti pti) {
    const char* value = cdtext && cueTextField() ? cueTextField()(pti, cdtext) : nullptr;
    return value ? QString::fromUtf8(value) : QString();
  };
  return {field(PTI_TITLE), field(PTI_PERFORMER)};
}

}  // namespace

CueSheet parseCueSheet(const QByteArray& text) {
  QByteArray sheet = asUtf8(text);
  sheet.replace("\r\n", "\n").replace('\r', '\n');
  if (sheet.contains('\0')) broken("it is not a cue sheet");
  // The parser wants every line ended, the last one too.
  sheet.append('\n');
  const LineFacts facts = scanLines(sheet);
  const std::unique_ptr<Cd, CdDeleter> cd(cue_parse_string(sheet.constData()));
  if (!cd) broken("it is not a cue sheet, or a line of it cannot be read");
  const int count = cd_get_ntrack(cd.get());
  if (count < 1) broken("it names no track");
  if (facts.hasIndex1.contains(false))
    broken(QString("track %1 has no INDEX 01").arg(facts.hasIndex1.indexOf(false) + 1));
  if (count != facts.hasIndex1.size() || facts.fileKinds.isEmpty())
    broken("its tracks cannot be read");

  CueSheet result;
  result.text = textOf(cd_get_cdtext(cd.get()));
  QString lastName;
  for (int n = 1; n <= count; ++n) {
    const Track* track = cd_get_track(cd.get(), n);
    const char* name = track_get_filename(track);
    if (!name) broken(QString("track %1 has no FILE").arg(n));
    // Each FILE line starts a new file, even one naming the same file again.
    if (result.files.empty() || QString::fromUtf8(name) != lastName) {
      if (result.files.size() >= static_cast<std::size_t>(facts.fileKinds.size()))
        broken("its FILE lines cannot be read");
      result.files.push_back(
          {QString::fromUtf8(name), facts.fileKinds[static_cast<int>(result.files.size())]});
      lastName = QString::fromUtf8(name);
    }
    CueTrack entry;
    entry.file = static_cast<int>(result.files.size()) - 1;
    entry.audio = track_get_mode(track) == MODE_AUDIO;
    entry.blockSize = blockSizeOf(track_get_mode(track));
    entry.index1 = static_cast<int>(track_get_index(track, 1));
    entry.pregap = facts.pregaps[n - 1];
    entry.text = textOf(track_get_cdtext(track));
    if (entry.index1 < 0) broken(QString("track %1 has no INDEX 01").arg(n));
    result.tracks.push_back(entry);
  }
  return result;
}
