// The portable holders: every reference and stream is given back exactly once.
#include <gtest/gtest.h>

#include <string>

#include "base/com_ref.h"
#include "base/stdio_file.h"

namespace {

// A COM-like object that counts its references and remembers whether its holder was already
// empty at its last Release.
struct Counted {
    unsigned long references = 1;
    const ComRef<Counted>* watched = nullptr;
    bool holderWasEmptyAtRelease = false;
    unsigned long AddRef() { return ++references; }
    unsigned long Release()
    {
        holderWasEmptyAtRelease = watched && !watched->get();
        return --references;
    }
};

TEST(ComRef, GivesBackEachReferenceOnceAndReportsTheCountLeftAfterForgettingTheObject)
{
    Counted object;
    {
        ComRef<Counted> first(&object);
        ComRef<Counted> second = first.share();
        EXPECT_EQ(object.references, 2u);
        ComRef<Counted> moved = std::move(second);
        EXPECT_EQ(object.references, 2u) << "a move takes over the reference";
        Counted other;
        *moved.put() = &other;   // put() gives the old reference back first
        EXPECT_EQ(object.references, 1u);
        EXPECT_EQ(moved.detach(), &other);
    }
    EXPECT_EQ(object.references, 0u);

    object.references = 2;
    ComRef<Counted> holder(&object);
    object.watched = &holder;
    EXPECT_EQ(holder.release(), 1u);
    EXPECT_TRUE(object.holderWasEmptyAtRelease);
    EXPECT_EQ(holder.release(), 0u) << "an empty holder releases nothing";
    EXPECT_EQ(object.references, 1u);
}

TEST(StdioFile, ClosingWritesTheBufferedBytesOnce)
{
    {
        StdioFile file("holder.txt", "w");
        ASSERT_TRUE(file);
        std::fputs("kept", file);
        StdioFile moved = std::move(file);
        EXPECT_FALSE(file);
    }   // closed here, not before: the move kept the stream open
    StdioFile file("holder.txt", "r");
    char text[8] = {};
    ASSERT_NE(std::fgets(text, sizeof text, file), nullptr);
    EXPECT_EQ(std::string(text), "kept");
    EXPECT_TRUE(file.close());
    EXPECT_TRUE(file.close()) << "closing an empty holder succeeds";
}

} // namespace
