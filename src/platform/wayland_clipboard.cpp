#include "platform/wayland_clipboard.h"

#include <unistd.h>
#include <wayland-client.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <memory>

namespace {

// The two data-control protocols differ only in their interfaces' names, so
// one description serves both; the messages are in the protocols' order,
// which gives their opcodes.
class DataControlProtocol {
 public:
  explicit DataControlProtocol(const std::string& family)
      : names_{family + "_manager_v1", family + "_device_v1", family + "_source_v1",
               family + "_offer_v1"} {
    sourceType_ = {&source};
    deviceAndSeat_ = {&device, &wl_seat_interface};
    offerType_ = {&offer};
    managerRequests_ = {{{"create_data_source", "n", sourceType_.data()},
                         {"get_data_device", "no", deviceAndSeat_.data()},
                         {"destroy", "", nullptr}}};
    deviceRequests_ = {{{"set_selection", "?o", sourceType_.data()},
                        {"destroy", "", nullptr},
                        {"set_primary_selection", "?o", sourceType_.data()}}};
    deviceEvents_ = {{{"data_offer", "n", offerType_.data()},
                      {"selection", "?o", offerType_.data()},
                      {"finished", "", nullptr},
                      {"primary_selection", "?o", offerType_.data()}}};
    sourceRequests_ = {{{"offer", "s", noTypes_.data()}, {"destroy", "", nullptr}}};
    sourceEvents_ = {{{"send", "sh", noTypes_.data()}, {"cancelled", "", nullptr}}};
    offerRequests_ = {{{"receive", "sh", noTypes_.data()}, {"destroy", "", nullptr}}};
    offerEvents_ = {{{"offer", "s", noTypes_.data()}}};
    manager = describe(0, managerRequests_, std::array<wl_message, 0>{});
    device = describe(1, deviceRequests_, deviceEvents_);
    source = describe(2, sourceRequests_, sourceEvents_);
    offer = describe(3, offerRequests_, offerEvents_);
  }
  DataControlProtocol(const DataControlProtocol&) = delete;
  DataControlProtocol& operator=(const DataControlProtocol&) = delete;

  const char* managerName() const { return names_[0].c_str(); }

  wl_interface manager{}, device{}, source{}, offer{};

 private:
  template <std::size_t Requests, std::size_t Events>
  wl_interface describe(int role, const std::array<wl_message, Requests>& requests,
                        const std::array<wl_message, Events>& events) {
    return {.name = names_[role].c_str(),
            .version = 1,
            .method_count = int(Requests),
            .methods = requests.data(),
            .event_count = int(Events),
            .events = Events ? events.data() : nullptr};
  }

  std::array<std::string, 4> names_;
  std::array<const wl_interface*, 1> sourceType_{}, offerType_{};
  std::array<const wl_interface*, 2> deviceAndSeat_{}, noTypes_{};
  std::array<wl_message, 3> managerRequests_{}, deviceRequests_{};
  std::array<wl_message, 4> deviceEvents_{};
  std::array<wl_message, 2> sourceRequests_{}, sourceEvents_{}, offerRequests_{};
  std::array<wl_message, 1> offerEvents_{};
};

// The standard protocol first; wlroots' older one where it is all there is.
const std::array<const DataControlProtocol*, 2>& protocols() {
  static const DataControlProtocol standard("ext_data_control");
  static const DataControlProtocol wlroots("zwlr_data_control");
  static const std::array<const DataControlProtocol*, 2> both{&standard, &wlroots};
  return both;
}

enum : std::uint32_t {
  CreateDataSource = 0,
  GetDataDevice = 1,
  SetSelection = 0,
  Offer = 0,
  Destroy = 1,  // of a device, a source and an offer alike
  DestroyManager = 2,
};

struct Globals {
  std::uint32_t seat = 0;
  std::array<std::uint32_t, 2> managers{};  // by protocol, 0 where none
};

void noteGlobal(void* data, wl_registry*, std::uint32_t name, const char* interface,
                std::uint32_t) {
  auto& globals = *static_cast<Globals*>(data);
  if (std::strcmp(interface, wl_seat_interface.name) == 0 && globals.seat == 0) globals.seat = name;
  for (std::size_t p = 0; p < protocols().size(); ++p)
    if (std::strcmp(interface, protocols()[p]->managerName()) == 0) globals.managers[p] = name;
}

void forgetGlobal(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener registryListener{noteGlobal, forgetGlobal};

struct Keeping {
  const QByteArray* bytes = nullptr;
  bool ended = false;
};

// A paste: the bytes go down the pipe the compositor handed us. A reader
// that goes away early costs only this paste.
void answerPaste(void* data, wl_proxy*, const char*, std::int32_t fd) {
  const QByteArray& bytes = *static_cast<Keeping*>(data)->bytes;
  for (qsizetype written = 0; written < bytes.size();) {
    const ssize_t n = write(fd, bytes.constData() + written, std::size_t(bytes.size() - written));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    written += n;
  }
  close(fd);
}

void cancelled(void* data, wl_proxy*) { static_cast<Keeping*>(data)->ended = true; }

struct SourceListener {
  void (*send)(void*, wl_proxy*, const char*, std::int32_t);
  void (*cancelled)(void*, wl_proxy*);
};
const SourceListener sourceListener{answerPaste, cancelled};

// Every selection, our own included, arrives as an offer we never read.
void dropOffer(void*, wl_proxy*, wl_proxy* offer) {
  if (offer != nullptr) wl_proxy_marshal_flags(offer, Destroy, nullptr, 1, WL_MARSHAL_FLAG_DESTROY);
}
void newOffer(void*, wl_proxy*, wl_proxy*) {}
// The seat went away: there is no clipboard left to keep.
void finished(void* data, wl_proxy*) { static_cast<Keeping*>(data)->ended = true; }

struct DeviceListener {
  void (*dataOffer)(void*, wl_proxy*, wl_proxy*);
  void (*selection)(void*, wl_proxy*, wl_proxy*);
  void (*finished)(void*, wl_proxy*);
  void (*primarySelection)(void*, wl_proxy*, wl_proxy*);
};
const DeviceListener deviceListener{newOffer, dropOffer, finished, dropOffer};

void roundTrip(wl_display* display) {
  if (wl_display_roundtrip(display) < 0)
    throw WaylandClipboardError("the desktop closed the connection to its clipboard");
}

template <class Listener>
void listen(wl_proxy* proxy, const Listener& listener, Keeping& keeping) {
  wl_proxy_add_listener(proxy, reinterpret_cast<void (**)(void)>(const_cast<Listener*>(&listener)),
                        &keeping);
}

// What the keeping binds, given back as it ends.
struct Bound {
  wl_proxy* seat = nullptr;
  wl_proxy* manager = nullptr;
  wl_proxy* source = nullptr;
  wl_proxy* device = nullptr;
  ~Bound() {
    for (wl_proxy* proxy : {device, source})
      wl_proxy_marshal_flags(proxy, Destroy, nullptr, 1, WL_MARSHAL_FLAG_DESTROY);
    wl_proxy_marshal_flags(manager, DestroyManager, nullptr, 1, WL_MARSHAL_FLAG_DESTROY);
    wl_proxy_destroy(seat);
  }
};

void serve(wl_display* display, wl_registry* registry, const Globals& globals, std::size_t p,
           const std::string& mimeType, Keeping& keeping) {
  const DataControlProtocol& protocol = *protocols()[p];
  Bound bound;
  bound.seat =
      static_cast<wl_proxy*>(wl_registry_bind(registry, globals.seat, &wl_seat_interface, 1));
  bound.manager =
      static_cast<wl_proxy*>(wl_registry_bind(registry, globals.managers[p], &protocol.manager, 1));
  bound.source =
      wl_proxy_marshal_flags(bound.manager, CreateDataSource, &protocol.source, 1, 0, nullptr);
  listen(bound.source, sourceListener, keeping);
  wl_proxy_marshal_flags(bound.source, Offer, nullptr, 1, 0, mimeType.c_str());
  bound.device = wl_proxy_marshal_flags(bound.manager, GetDataDevice, &protocol.device, 1, 0,
                                        nullptr, bound.seat);
  listen(bound.device, deviceListener, keeping);
  wl_proxy_marshal_flags(bound.device, SetSelection, nullptr, 1, 0, bound.source);
  while (!keeping.ended)
    if (wl_display_dispatch(display) < 0)
      throw WaylandClipboardError("the desktop closed the connection to its clipboard");
}

}  // namespace

WaylandKeeping KeepOnWaylandClipboard(const std::string& mimeType, const QByteArray& bytes) {
  std::unique_ptr<wl_display, void (*)(wl_display*)> display(wl_display_connect(nullptr),
                                                             wl_display_disconnect);
  if (!display) return WaylandKeeping::Unavailable;
  // A paste whose reader leaves early must not end the keeping.
  std::signal(SIGPIPE, SIG_IGN);
  std::unique_ptr<wl_registry, void (*)(wl_registry*)> registry(
      wl_display_get_registry(display.get()), wl_registry_destroy);
  Globals globals;
  wl_registry_add_listener(registry.get(), &registryListener, &globals);
  roundTrip(display.get());
  for (std::size_t p = 0; p < protocols().size(); ++p) {
    if (globals.seat == 0 || globals.managers[p] == 0) continue;
    Keeping keeping{&bytes};
    serve(display.get(), registry.get(), globals, p, mimeType, keeping);
    return WaylandKeeping::Ended;
  }
  return WaylandKeeping::Unavailable;
}
