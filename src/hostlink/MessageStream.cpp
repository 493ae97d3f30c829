#include "hostlink/MessageStream.h"

#include "hostlink/ETavimor.h"

#include <chrono>
#include <cstring>
#include <ctime>

TTimeStamp TimeStampOf(int year, int month, int day, int hour, int minute, int second,
                       int millisecond) {
    using namespace std::chrono;
    const sys_days date{std::chrono::year{year} / static_cast<unsigned>(month) /
                        static_cast<unsigned>(day)};
    const sys_days first{std::chrono::year{1} / January / 1};
    TTimeStamp s;
    s.Time = ((hour * 60 + minute) * 60 + second) * 1000 + millisecond;
    s.Date = static_cast<std::int32_t>((date - first).count() + 1);
    return s;
}

TTimeStamp TimeStampNow() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return TimeStampOf(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                       local.tm_min, local.tm_sec, static_cast<int>(ms));
}

TTavimorMessageStream::TTavimorMessageStream(ITavimorDemon* d)
    : demon(d), senderEntity(std::make_unique<TEntity>(d)) {}

void TTavimorMessageStream::SetDemon(ITavimorDemon* value) {
    demon = value;
    senderEntity->SetDemon(value);
}

void TTavimorMessageStream::Clear() {
    bytes.clear();
    position = 0;
}

void TTavimorMessageStream::Write(const void* data, std::size_t size) {
    if (size == 0) {
        return;
    }
    if (position + size > bytes.size()) {
        bytes.resize(position + size);
    }
    std::memcpy(bytes.data() + position, data, size);
    position += size;
}

void TTavimorMessageStream::WriteByte(std::uint8_t value) { Write(&value, 1); }

void TTavimorMessageStream::WriteInt32(std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    const std::uint8_t le[4] = {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
                                static_cast<std::uint8_t>(u >> 16),
                                static_cast<std::uint8_t>(u >> 24)};
    Write(le, 4);
}

void TTavimorMessageStream::WriteString(const std::string& s) {
    if (s.size() > 0x7FFFFFFFu) {
        throw ETavimor("Message stream: a string of more than 2 GB cannot be sent");
    }
    WriteInt32(static_cast<std::int32_t>(s.size()));
    Write(s.data(), s.size());
}

void TTavimorMessageStream::Read(void* data, std::size_t size) {
    if (size > bytes.size() - position) {
        throw ETavimor("Message stream: the message ends " +
                       std::to_string(size - (bytes.size() - position)) +
                       " bytes before the data it announces");
    }
    if (size != 0) {
        std::memcpy(data, bytes.data() + position, size);
    }
    position += size;
}

std::uint8_t TTavimorMessageStream::ReadByte() {
    std::uint8_t b = 0;
    Read(&b, 1);
    return b;
}

std::int32_t TTavimorMessageStream::ReadInt32() {
    std::uint8_t le[4] = {};
    Read(le, 4);
    const std::uint32_t u = std::uint32_t{le[0]} | (std::uint32_t{le[1]} << 8) |
                            (std::uint32_t{le[2]} << 16) | (std::uint32_t{le[3]} << 24);
    return static_cast<std::int32_t>(u);
}

std::string TTavimorMessageStream::ReadString() {
    const std::int32_t n = ReadInt32();
    if (n <= 0) {
        return {};
    }
    // Checked before anything is allocated: a few bytes must not claim gigabytes.
    if (static_cast<std::size_t>(n) > bytes.size() - position) {
        position -= 4;
        throw ETavimor("Message stream: a string of " + std::to_string(n) +
                       " bytes runs past the end of the message");
    }
    std::string s(static_cast<std::size_t>(n), '\0');
    Read(s.data(), s.size());
    return s;
}

std::string TTavimorMessageStream::ReadRest() {
    std::string s(bytes.begin() + static_cast<std::ptrdiff_t>(position), bytes.end());
    position = bytes.size();
    return s;
}

void TTavimorMessageStream::CopyTo(TTavimorMessageStream& target) const {
    if (&target == this) {
        return;
    }
    target.TimeStamp = TimeStamp;
    target.SenderEntity().Assign(senderEntity.get());
    target.MsgId = MsgId;
    target.bytes = bytes;
    target.position = 0;
}

std::vector<std::uint8_t> EncodeRecord(const TTavimorMessageStream& message) {
    TTavimorMessageStream head;
    head.WriteInt32(message.TimeStamp.Time);
    head.WriteInt32(message.TimeStamp.Date);
    std::vector<std::uint8_t> record = head.Bytes();
    record.insert(record.end(), message.Bytes().begin(), message.Bytes().end());
    return record;
}

std::unique_ptr<TTavimorMessageStream> DecodeRecord(std::int32_t kind, const std::uint8_t* data,
                                                    std::size_t size, std::int32_t senderWindow,
                                                    ITavimorDemon* demon) {
    if (data == nullptr || size < 8) {
        throw ETavimor("Message of kind " + std::to_string(kind) + " with " +
                       std::to_string(size) + " bytes is shorter than its time stamp");
    }
    auto message = std::make_unique<TTavimorMessageStream>(demon);
    message->MsgId = kind;
    TTavimorMessageStream head;
    head.Write(data, 8);
    head.Seek(0);
    message->TimeStamp.Time = head.ReadInt32();
    message->TimeStamp.Date = head.ReadInt32();
    message->Write(data + 8, size - 8);
    message->Seek(0);
    message->SenderEntity().Window = senderWindow;
    return message;
}
