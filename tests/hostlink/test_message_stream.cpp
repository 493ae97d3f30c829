// The host link's wire forms: strings, entities, records and their stamps, the payloads the
// Part names, and malformed input, which must be refused without reading past the payload.

#include "hostlink/ETavimor.h"
#include "hostlink/MessageStream.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::uint8_t> bytesOf(std::initializer_list<int> values) {
    std::vector<std::uint8_t> out;
    for (int v : values) {
        out.push_back(static_cast<std::uint8_t>(v));
    }
    return out;
}

TTavimorMessageStream streamOf(const std::vector<std::uint8_t>& bytes) {
    TTavimorMessageStream s;
    s.Write(bytes.data(), bytes.size());
    s.Seek(0);
    return s;
}

struct FakeDemon : ITavimorDemon {
    int lookUps = 0;
    std::unique_ptr<TEntity> FindEntityByHandle(std::int32_t window) override {
        ++lookUps;
        auto e = std::make_unique<TEntity>();
        e->Window = window;
        e->LockHandle = 9;
        e->SetFileName("C:\\Kurse\\MEASLOC.EXE");
        e->SetTitle("Measures of Location");
        return e;
    }
    bool IsWindowAlive(std::int32_t window) const override { return window == 42; }
};

} // namespace

TEST(MessageStream, StringsAndIntegersOnTheWire) {
    TTavimorMessageStream s;
    s.WriteString("");
    s.WriteInt32(-2);
    s.WriteString("Ab");
    EXPECT_EQ(s.Bytes(), bytesOf({0, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0, 'A', 'b'}));
    s.Seek(0);
    EXPECT_EQ(s.ReadString(), "");
    EXPECT_EQ(s.ReadInt32(), -2);
    EXPECT_EQ(s.ReadString(), "Ab");

    // A negative length reads as empty and consumes only its four bytes.
    TTavimorMessageStream neg = streamOf(bytesOf({0xFF, 0xFF, 0xFF, 0xFF, 'x'}));
    EXPECT_EQ(neg.ReadString(), "");
    EXPECT_EQ(neg.Position(), 4u);
    EXPECT_EQ(neg.ReadByte(), 'x');

    // Truncated strings and integers, and a length beyond the payload, are refused.
    TTavimorMessageStream longer = streamOf(bytesOf({10, 0, 0, 0, 'a', 'b'}));
    EXPECT_THROW(longer.ReadString(), ETavimor);
    TTavimorMessageStream huge = streamOf(bytesOf({0xFF, 0xFF, 0xFF, 0x7F, 'a'}));
    EXPECT_THROW(huge.ReadString(), ETavimor);
    TTavimorMessageStream three = streamOf(bytesOf({1, 2, 3}));
    EXPECT_THROW(three.ReadInt32(), ETavimor);
    EXPECT_EQ(three.Position(), 0u);
}

TEST(MessageStream, RecordsCarryTheStampBeforeThePayload) {
    TTavimorMessageStream m;
    m.MsgId = msgFindEntity;
    m.TimeStamp = TimeStampOf(2026, 12, 9, 7, 30, 15, 250);
    EXPECT_EQ(m.TimeStamp.Time, ((7 * 60 + 30) * 60 + 15) * 1000 + 250);
    EXPECT_EQ(m.TimeStamp.Date, 739959); // days from 1 January 0001 (day 1) to 9 December 2026
    EXPECT_EQ(TimeStampOf(1, 1, 1, 0, 0, 0, 0).Date, 1);
    EXPECT_EQ(TimeStampOf(2000, 3, 1, 0, 0, 0, 0).Date - TimeStampOf(2000, 2, 28, 0, 0, 0, 0).Date, 2);
    // The find-by-title request: selector 2, then the title.
    m.WriteByte(2);
    m.WriteString("Measures of Location");
    m.Seek(3); // a send takes the whole content, whatever the position
    const std::vector<std::uint8_t> record = EncodeRecord(m);
    ASSERT_EQ(record.size(), 8u + 1 + 4 + 20);
    EXPECT_EQ(record[8], 2);
    EXPECT_EQ(record[9], 20);

    auto got = DecodeRecord(msgFindEntity, record.data(), record.size(), 1234, nullptr);
    EXPECT_EQ(got->MsgId, msgFindEntity);
    EXPECT_EQ(got->TimeStamp, m.TimeStamp);
    EXPECT_EQ(got->SenderEntity().Window, 1234);
    EXPECT_EQ(got->Position(), 0u);
    EXPECT_EQ(got->ReadByte(), 2);
    EXPECT_EQ(got->ReadString(), "Measures of Location");

    const std::vector<std::uint8_t> seven(7, 0);
    EXPECT_THROW(DecodeRecord(msgReply, seven.data(), seven.size(), 1, nullptr), ETavimor);
    auto empty = DecodeRecord(msgReply, record.data(), 8, 1, nullptr);
    EXPECT_EQ(empty->Size(), 0u); // an empty reply: "no entity"

    TTavimorMessageStream copy;
    copy.WriteString("old");
    got->SenderEntity().SetTitle("sender");
    got->CopyTo(copy);
    EXPECT_EQ(copy.Bytes(), got->Bytes());
    EXPECT_EQ(copy.Position(), 0u);
    EXPECT_EQ(copy.SenderEntity().StoredTitle(), "sender");
    EXPECT_EQ(copy.TimeStamp, m.TimeStamp);
}

TEST(Entity, WireFormLazyLookUpAndLockName) {
    FakeDemon demon;
    TEntity e(&demon);
    e.Window = 42;
    EXPECT_TRUE(e.IsAlive());
    TTavimorMessageStream s;
    e.WriteTo(s); // the empty texts are asked of the host first
    EXPECT_EQ(demon.lookUps, 1);
    EXPECT_EQ(e.LockHandle, 9);
    s.Seek(0);
    TEntity back;
    back.ReadFrom(s);
    EXPECT_EQ(back.Window, 42);
    EXPECT_EQ(back.LockHandle, 0); // written before the texts looked the entity up
    EXPECT_EQ(back.StoredFileName(), "C:\\Kurse\\MEASLOC.EXE");
    EXPECT_EQ(back.StoredTitle(), "Measures of Location");
    EXPECT_FALSE(back.IsAlive()); // no demon to ask
    EXPECT_EQ(e.LockName(), "TV_MEASLOC.EXE");
    EXPECT_EQ(demon.lookUps, 1); // filled in once, not asked again

    TEntity unix;
    unix.SetFileName("/usr/bin/centrova");
    EXPECT_EQ(unix.LockName(), "TV_centrova"); // our own separator counts too
    TEntity drive;
    drive.SetFileName("D:centrova");
    EXPECT_EQ(drive.LockName(), "TV_centrova");

    // A truncated entity leaves the target as it was.
    TTavimorMessageStream cut = streamOf(bytesOf({1, 0, 0, 0, 2, 0, 0, 0, 9, 0, 0, 0, 'a'}));
    TEntity target;
    target.Window = 5;
    EXPECT_THROW(target.ReadFrom(cut), ETavimor);
    EXPECT_EQ(target.Window, 5);
    target.Assign(nullptr);
    EXPECT_EQ(target.Window, 5);
}

TEST(Entity, MalformedInputThroughTheFuzzEntry) {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> byte(0, 255), length(0, 200);
    for (int i = 0; i < 2000; ++i) {
        std::vector<std::uint8_t> data(static_cast<std::size_t>(length(rng)));
        for (auto& b : data) {
            b = static_cast<std::uint8_t>(i % 3 == 0 ? byte(rng) % 4 : byte(rng));
        }
        ASSERT_EQ(LLVMFuzzerTestOneInput(data.data(), data.size()), 0) << i;
    }
}
