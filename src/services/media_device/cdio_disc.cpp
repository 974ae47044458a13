#include "services/media_device/cdio_disc.h"

#include <cdio/cdtext.h>
#include <cdio/logging.h>

#include <array>
#include <mutex>

namespace {

// libcdio reports on standard error whatever it dislikes in a disc; an
// unreadable disc is already reported as an empty drive.
void quietLibcdio() {
  static std::once_flag once;
  std::call_once(once, [] { cdio_log_set_handler([](cdio_log_level_t, const char*) {}); });
}

QString volumeId(const std::array<char, CDIO_CD_FRAMESIZE>& descriptor) {
  // ISO 9660 primary volume descriptor: type 1, "CD001", the id at 40..71.
  if (descriptor[0] != 1 || std::string_view(descriptor.data() + 1, 5) != "CD001") return {};
  return QString::fromLatin1(descriptor.data() + 40, 32).trimmed();
}

CdText textOf(const cdtext_t* cdtext, track_t track) {
  const auto field = [&](cdtext_field_t kind) {
    const char* value = cdtext ? cdtext_get_const(cdtext, kind, track) : nullptr;
    return value ? QString::fromUtf8(value) : QString();
  };
  return {field(CDTEXT_FIELD_TITLE), field(CDTEXT_FIELD_PERFORMER)};
}

// Empty when there is no disc; tracks that start beyond the disc's end are left out.
DiscToc readToc(CdIo_t* cdio) {
  DiscToc toc;
  const track_t first = cdio_get_first_track_num(cdio);
  const track_t count = cdio_get_num_tracks(cdio);
  if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK) return {};
  const cdtext_t* cdtext = cdio_get_cdtext(cdio);
  toc.leadout = cdio_get_track_lsn(cdio, CDIO_CDROM_LEADOUT_TRACK);
  toc.text = textOf(cdtext, 0);
  for (track_t n = first; n < first + count; ++n) {
    const lsn_t start = cdio_get_track_lsn(cdio, n);
    if (start == CDIO_INVALID_LSN || start >= toc.leadout) break;
    if (!toc.tracks.empty() && start <= toc.tracks.back().start) break;
    toc.tracks.push_back(
        {start, cdio_get_track_format(cdio, n) == TRACK_FORMAT_AUDIO, textOf(cdtext, n)});
  }
  if (toc.tracks.empty()) return {};
  return toc;
}

}  // namespace

std::shared_ptr<const CdioDisc> CdioDisc::open(const QString& device) {
  quietLibcdio();
  CdIo_t* cdio = cdio_open(device.toLocal8Bit().constData(), DRIVER_DEVICE);
  if (!cdio) return nullptr;
  std::shared_ptr<CdioDisc> disc(new CdioDisc(cdio));
  disc->toc_ = readToc(cdio);
  if (disc->toc_.empty()) return nullptr;
  return disc;
}

CdioDisc::~CdioDisc() { cdio_destroy(cdio_); }

bool CdioDisc::readAudio(int frame, int count, unsigned char* out) const {
  return cdio_read_audio_sectors(cdio_, out, frame, static_cast<unsigned>(count)) ==
         DRIVER_OP_SUCCESS;
}

QString CdioDisc::volumeLabel() const {
  if (toc_.allAudio()) return QStringLiteral("Audio CD");
  for (const DiscTrack& track : toc_.tracks) {
    if (track.audio) continue;
    std::array<char, CDIO_CD_FRAMESIZE> descriptor{};
    if (cdio_read_mode1_sector(cdio_, descriptor.data(), track.start + 16, false) !=
        DRIVER_OP_SUCCESS)
      return {};
    return volumeId(descriptor);
  }
  return {};
}

QStringList physicalCdDrives() {
  quietLibcdio();
  QStringList drives;
  char** list = cdio_get_devices(DRIVER_DEVICE);
  for (char** device = list; device && *device; ++device) drives << QString::fromLocal8Bit(*device);
  cdio_free_device_list(list);
  return drives;
}

void openDriveDoor(const QString& device) {
  cdio_eject_media_drive(device.toLocal8Bit().constData());
}

void closeDriveDoor(const QString& device) {
  driver_id_t driver = DRIVER_DEVICE;
  cdio_close_tray(device.toLocal8Bit().constData(), &driver);
}
