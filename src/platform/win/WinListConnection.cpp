// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win/WinListConnection.h"

// clang-format off
// Winsock 2 before <windows.h>, which would bring the old Winsock otherwise.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
// clang-format on

#include "platform/win/MessageWindow.h"
#include "platform/win/WideText.h"

#include <mutex>
#include <optional>
#include <string>

namespace pollwick::win {
namespace {

// The messages of the connection's window. Every posted message carries the
// generation of the connection it is about, and one of an earlier
// connection is dropped.
constexpr UINT kConnectMessage = WM_APP + 1; // the addresses are known: connect
constexpr UINT kLookupMessage = WM_APP + 2; // a name lookup has finished
constexpr UINT kDrainMessage = WM_APP + 3; // hand over the next piece after the end
constexpr UINT kEndMessage = WM_APP + 4; // report the end in lParam
// Each socket reports with a message number of its own from this range, so
// that the events of a closed socket still in the queue can never be taken
// for those of a new socket that Winsock gave the same handle.
constexpr UINT kFirstSocketMessage = WM_APP + 0x100;
constexpr UINT kSocketMessages = 0x3000;

// A name lookup, shared by the connection and the worker thread that does
// it: whichever lets go last frees it. The connection clears `window` when
// it no longer wants the answer (it closed, opened anew or went away), and
// the thread then posts nothing.
struct Lookup {
    std::mutex mutex;
    HWND window = nullptr;
    std::wstring host;
    std::wstring port;
    bool done = false;
    int error = 0;
    ADDRINFOW* addresses = nullptr;

    Lookup() = default;
    Lookup(const Lookup&) = delete;
    Lookup& operator=(const Lookup&) = delete;
    Lookup(Lookup&&) = delete;
    Lookup& operator=(Lookup&&) = delete;
    ~Lookup()
    {
        if (addresses != nullptr) {
            FreeAddrInfoW(addresses);
        }
    }
};

ADDRINFOW streamHints(int flags)
{
    ADDRINFOW hints{};
    hints.ai_flags = flags;
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    return hints;
}

DWORD WINAPI lookUp(void* parameter)
{
    // Winsock stays ready for this thread even if the connection that asked
    // goes away meanwhile, until the answer is handed on or freed.
    WSADATA winsock{};
    const bool started = WSAStartup(MAKEWORD(2, 2), &winsock) == 0;
    {
        const std::unique_ptr<std::shared_ptr<Lookup>> held(
            static_cast<std::shared_ptr<Lookup>*>(parameter));
        Lookup& lookup = **held;
        const ADDRINFOW hints = streamHints(0);
        ADDRINFOW* addresses = nullptr;
        const int error =
            GetAddrInfoW(lookup.host.c_str(), lookup.port.c_str(), &hints, &addresses);
        const std::lock_guard lock(lookup.mutex);
        lookup.done = true;
        lookup.error = error;
        lookup.addresses = error == 0 ? addresses : nullptr;
        if (lookup.window != nullptr) {
            PostMessageW(lookup.window, kLookupMessage, 0, 0);
        }
    }
    if (started) {
        WSACleanup();
    }
    return 0;
}

ConnectionEnd lookupFailure(int error)
{
    switch (error) {
    case WSAHOST_NOT_FOUND:
    case WSANO_DATA:
    case WSATRY_AGAIN: // no answer about the name now: not found, as far as this query goes
        return ConnectionEnd::HostNotFound;
    default:
        return ConnectionEnd::Failed;
    }
}

ConnectionEnd connectFailure(int error)
{
    switch (error) {
    case WSAECONNREFUSED:
        return ConnectionEnd::Refused;
    case WSAENETUNREACH:
    case WSAEHOSTUNREACH:
    case WSAENETDOWN:
        return ConnectionEnd::Unreachable;
    default:
        return ConnectionEnd::Failed;
    }
}

// How much a failure says about the host: a refusal means that it answered,
// so it tells more than an unreachable address, which tells more than
// anything else. Of several addresses tried, the end reports the most
// telling failure.
int weight(ConnectionEnd end)
{
    switch (end) {
    case ConnectionEnd::Refused:
        return 2;
    case ConnectionEnd::Unreachable:
        return 1;
    default:
        return 0;
    }
}

ConnectionEnd breakAfterConnecting(int error)
{
    return error == WSAECONNRESET || error == WSAECONNABORTED || error == WSAENETRESET
        ? ConnectionEnd::Reset
        : ConnectionEnd::Lost;
}

class WinListConnection final : public ListConnection, private MessageWindow::Handler
{
public:
    WinListConnection()
        : m_window(*this)
    {
        WSADATA winsock{};
        m_winsockStarted = WSAStartup(MAKEWORD(2, 2), &winsock) == 0;
    }

    ~WinListConnection() override
    {
        drop();
        if (m_winsockStarted) {
            WSACleanup();
        }
    }

    WinListConnection(const WinListConnection&) = delete;
    WinListConnection& operator=(const WinListConnection&) = delete;
    WinListConnection(WinListConnection&&) = delete;
    WinListConnection& operator=(WinListConnection&&) = delete;

    void open(const std::string& host, std::uint16_t port) override
    {
        drop();
        m_stage = Stage::Starting;
        if (!m_winsockStarted || m_window.handle() == nullptr) {
            postEnd(ConnectionEnd::Failed);
            return;
        }
        const std::wstring wideHost = toWide(host);
        if (wideHost.empty()) {
            postEnd(ConnectionEnd::HostNotFound);
            return;
        }
        const std::wstring widePort = std::to_wstring(port);
        // An address is read at once, without asking anyone.
        const ADDRINFOW hints = streamHints(AI_NUMERICHOST);
        ADDRINFOW* addresses = nullptr;
        if (GetAddrInfoW(wideHost.c_str(), widePort.c_str(), &hints, &addresses) == 0) {
            m_addresses = addresses;
            m_next = addresses;
            PostMessageW(m_window.handle(), kConnectMessage, m_generation, 0);
            return;
        }
        startLookup(wideHost, widePort);
    }

    void close() override { drop(); }

    [[nodiscard]] bool isOpen() const override { return m_stage != Stage::Idle; }

private:
    enum class Stage {
        Idle, // closed, or ended
        Starting, // waiting for the addresses
        Connecting,
        Connected,
        Draining, // the list server closed: handing over what is left
    };

    // Lets go of the current connection, if any: its socket, its lookup,
    // its addresses, and, through the generation, its messages still queued.
    void drop()
    {
        ++m_generation;
        if (m_lookup) {
            const std::lock_guard lock(m_lookup->mutex);
            m_lookup->window = nullptr;
        }
        m_lookup.reset();
        closeSocket();
        freeAddresses();
        m_failure.reset();
        m_closeError = 0;
        m_stage = Stage::Idle;
    }

    void closeSocket()
    {
        if (m_socket != INVALID_SOCKET) {
            closesocket(m_socket);
            m_socket = INVALID_SOCKET;
        }
    }

    void freeAddresses()
    {
        if (m_addresses != nullptr) {
            FreeAddrInfoW(m_addresses);
        }
        m_addresses = nullptr;
        m_next = nullptr;
    }

    void startLookup(const std::wstring& host, const std::wstring& port)
    {
        auto lookup = std::make_shared<Lookup>();
        lookup->window = m_window.handle();
        lookup->host = host;
        lookup->port = port;
        auto held = std::make_unique<std::shared_ptr<Lookup>>(lookup);
        HANDLE thread = CreateThread(nullptr, 0, lookUp, held.get(), 0, nullptr);
        if (thread == nullptr) {
            postEnd(ConnectionEnd::Failed);
            return;
        }
        // The thread owns its share now, and runs on by itself.
        static_cast<void>(held.release());
        CloseHandle(thread);
        m_lookup = std::move(lookup);
    }

    // An end found inside open() is reported from the message loop.
    void postEnd(ConnectionEnd end)
    {
        if (m_window.handle() == nullptr ||
            PostMessageW(m_window.handle(), kEndMessage, m_generation, static_cast<LPARAM>(end)) ==
                0) {
            m_stage = Stage::Idle; // nothing can be reported: at least it is not open
        }
    }

    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= kFirstSocketMessage && message < kFirstSocketMessage + kSocketMessages) {
            if (message == m_socketMessage && m_socket != INVALID_SOCKET &&
                static_cast<SOCKET>(wParam) == m_socket) {
                socketEvent(WSAGETSELECTEVENT(lParam), WSAGETSELECTERROR(lParam));
            }
            return 0;
        }
        switch (message) {
        case kConnectMessage:
            if (wParam == m_generation && m_stage == Stage::Starting && m_addresses != nullptr) {
                m_stage = Stage::Connecting;
                connectNext();
            }
            return 0;
        case kLookupMessage:
            lookedUp();
            return 0;
        case kDrainMessage:
            if (wParam == m_generation && m_stage == Stage::Draining) {
                drainPiece();
            }
            return 0;
        case kEndMessage:
            if (wParam == m_generation && m_stage != Stage::Idle) {
                end(static_cast<ConnectionEnd>(lParam));
            }
            return 0;
        default:
            return std::nullopt;
        }
    }

    // Several lookups may have finished, each with its message; only the
    // current one's answer is taken, once.
    void lookedUp()
    {
        if (!m_lookup || m_stage != Stage::Starting) {
            return;
        }
        int error = 0;
        {
            const std::lock_guard lock(m_lookup->mutex);
            if (!m_lookup->done) {
                return;
            }
            error = m_lookup->error;
            m_addresses = m_lookup->addresses;
            m_lookup->addresses = nullptr;
            m_lookup->window = nullptr;
        }
        m_lookup.reset();
        m_next = m_addresses;
        if (error != 0 || m_addresses == nullptr) {
            end(error != 0 ? lookupFailure(error) : ConnectionEnd::HostNotFound);
            return;
        }
        m_stage = Stage::Connecting;
        connectNext();
    }

    // Starts connecting to the next address that takes a connection; when
    // none is left, ends with the most telling failure.
    void connectNext()
    {
        while (m_next != nullptr) {
            const ADDRINFOW& address = *m_next;
            m_next = m_next->ai_next;
            // Not inherited: a game started meanwhile gets none of these.
            SOCKET candidate =
                WSASocketW(address.ai_family, address.ai_socktype, address.ai_protocol, nullptr, 0,
                           WSA_FLAG_OVERLAPPED | WSA_FLAG_NO_HANDLE_INHERIT);
            if (candidate == INVALID_SOCKET) {
                noteFailure(connectFailure(WSAGetLastError()));
                continue;
            }
            m_socketMessage = kFirstSocketMessage + (m_socketCount++ % kSocketMessages);
            // This also makes the socket non-blocking.
            if (WSAAsyncSelect(candidate, m_window.handle(), m_socketMessage,
                               FD_CONNECT | FD_READ | FD_CLOSE) != 0 ||
                (connect(candidate, address.ai_addr, static_cast<int>(address.ai_addrlen)) != 0 &&
                 WSAGetLastError() != WSAEWOULDBLOCK)) {
                noteFailure(connectFailure(WSAGetLastError()));
                closesocket(candidate);
                continue;
            }
            m_socket = candidate;
            return;
        }
        end(m_failure.value_or(ConnectionEnd::Failed));
    }

    void noteFailure(ConnectionEnd failure)
    {
        if (!m_failure || weight(failure) > weight(*m_failure)) {
            m_failure = failure;
        }
    }

    void socketEvent(WORD event, WORD error)
    {
        switch (event) {
        case FD_CONNECT:
            if (m_stage != Stage::Connecting) {
                return;
            }
            if (error != 0) {
                noteFailure(connectFailure(error));
                closeSocket();
                connectNext();
                return;
            }
            m_stage = Stage::Connected;
            freeAddresses();
            if (receiver() != nullptr) {
                receiver()->connected();
            }
            return;
        case FD_READ:
            // After the close, the drain reads.
            if (m_stage == Stage::Connected) {
                readPiece();
            }
            return;
        case FD_CLOSE:
            if (m_stage == Stage::Connecting) {
                // Closed before it was ever connected.
                noteFailure(connectFailure(error));
                closeSocket();
                connectNext();
            } else if (m_stage == Stage::Connected) {
                m_stage = Stage::Draining;
                m_closeError = error;
                drainPiece();
            }
            return;
        default:
            return;
        }
    }

    // One piece, on FD_READ: Winsock posts FD_READ again while data is left,
    // so the message loop runs between two pieces.
    void readPiece()
    {
        const int received = receive();
        if (received > 0) {
            handOver(static_cast<std::size_t>(received));
            return;
        }
        if (received == 0) {
            end(orderlyOrReset());
            return;
        }
        const int error = WSAGetLastError();
        if (error != WSAEWOULDBLOCK) {
            end(breakAfterConnecting(error));
        }
    }

    // One piece of what the list server sent before its close; the next one
    // comes with a message of its own, and the end after the last.
    void drainPiece()
    {
        const int received = receive();
        if (received > 0) {
            const WPARAM generation = m_generation;
            handOver(static_cast<std::size_t>(received));
            if (generation == m_generation && m_stage == Stage::Draining) {
                PostMessageW(m_window.handle(), kDrainMessage, m_generation, 0);
            }
            return;
        }
        const int error = received < 0 ? WSAGetLastError() : 0;
        if (error != 0 && error != WSAEWOULDBLOCK) {
            end(breakAfterConnecting(error));
        } else if (m_closeError != 0) {
            end(breakAfterConnecting(m_closeError));
        } else {
            end(orderlyOrReset());
        }
    }

    // The end of the data, with no error told: a close, unless the
    // connection was reset. Windows tells a reset with FD_CLOSE and recv(),
    // but Wine reads the data that came before a reset to its end as if the
    // list server had closed in order, so this asks the socket itself: a
    // send of nothing (no byte goes out) fails on a reset connection and
    // succeeds on one that the other side closed in order.
    ConnectionEnd orderlyOrReset()
    {
        const char nothing = 0;
        if (send(m_socket, &nothing, 0, 0) == SOCKET_ERROR &&
            breakAfterConnecting(WSAGetLastError()) == ConnectionEnd::Reset) {
            return ConnectionEnd::Reset;
        }
        return ConnectionEnd::Closed;
    }

    int receive()
    {
        m_piece.resize(kListPieceBytes);
        return recv(m_socket, m_piece.data(), static_cast<int>(kListPieceBytes), 0);
    }

    // The receiver may close or open the connection from inside; nothing of
    // this one is touched afterwards.
    void handOver(std::size_t bytes)
    {
        if (receiver() != nullptr) {
            receiver()->received(std::string_view(m_piece.data(), bytes));
        }
    }

    void end(ConnectionEnd how)
    {
        drop();
        if (receiver() != nullptr) {
            receiver()->ended(how);
        }
    }

    MessageWindow m_window;
    bool m_winsockStarted = false;
    Stage m_stage = Stage::Idle;
    // Changes with every open() and close(): a message that carries an
    // older one is about a connection that is gone.
    WPARAM m_generation = 0;
    std::shared_ptr<Lookup> m_lookup;
    ADDRINFOW* m_addresses = nullptr;
    const ADDRINFOW* m_next = nullptr;
    std::optional<ConnectionEnd> m_failure;
    SOCKET m_socket = INVALID_SOCKET;
    UINT m_socketMessage = 0;
    UINT m_socketCount = 0;
    int m_closeError = 0;
    std::string m_piece;
};

} // namespace

std::unique_ptr<ListConnection> createListConnection()
{
    return std::make_unique<WinListConnection>();
}

} // namespace pollwick::win
