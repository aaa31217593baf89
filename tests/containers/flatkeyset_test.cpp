// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// The flat set of text views against std::set under random inserts, erases
// and look-ups: growth, erased cells reused, keys that differ only in length
// or in bytes past a NUL.

#include "containers/flatkeyset.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <set>
#include <string>

namespace ostrevo::detail {
namespace {

using namespace std::string_literals;

TEST(FlatKeySet, FollowsStdSetThroughRandomEdits)
{
    // The set keeps views: every key's bytes stay here until the end.
    std::deque<std::string> keys = {""s, "a"s, "a\0"s, "a\0b"s, "A"s, std::string(300, 'x')};
    std::mt19937 random(3);
    for (int i = 0; i < 3000; ++i) {
        keys.push_back("host" + std::to_string(random() % 5000) + ".com");
    }
    FlatKeySet set;
    std::set<std::string> model;
    for (int round = 0; round < 2; ++round) {
        for (int step = 0; step < 20000; ++step) {
            const std::string& key = keys[random() % keys.size()];
            switch (random() % 3) {
            case 0:
                ASSERT_EQ(set.insert(key), model.insert(key).second) << key;
                break;
            case 1:
                ASSERT_EQ(set.erase(key), model.erase(key) == 1) << key;
                break;
            default:
                ASSERT_EQ(set.contains(key), model.count(key) == 1) << key;
            }
            ASSERT_EQ(set.size(), model.size());
        }
        set.clear();
        model.clear();
        EXPECT_FALSE(set.contains(keys[0]));
        set.reserve(4000);
    }
}

} // namespace
} // namespace ostrevo::detail
