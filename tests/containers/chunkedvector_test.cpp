// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// The chunked sequence against a plain vector under random inserts, erases
// and appends, over sizes that split and empty many chunks.

#include "containers/chunkedvector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace ostrevo::detail {
namespace {

void expectSame(const ChunkedVector<int>& chunked, const std::vector<int>& model)
{
    ASSERT_EQ(chunked.size(), model.size());
    for (std::size_t i = 0; i < model.size(); ++i) {
        ASSERT_EQ(chunked[i], model[i]) << "index " << i;
    }
    std::vector<int> visited;
    chunked.forEach([&](int value) { visited.push_back(value); });
    ASSERT_EQ(visited, model);
}

TEST(ChunkedVector, FollowsAPlainVectorThroughRandomEdits)
{
    std::mt19937 random(11);
    ChunkedVector<int> chunked;
    std::vector<int> model;
    // Grow past several chunks, shrink to empty, grow again.
    for (const std::size_t target : {3000U, 0U, 1500U}) {
        for (int step = 0; step < 6000; ++step) {
            const bool grow = model.size() < target || (model.size() == target && random() % 2 == 0);
            if (grow || model.empty()) {
                const std::size_t at = random() % (model.size() + 2); // past the end appends
                const int value = static_cast<int>(random());
                chunked.insert(at, value);
                model.insert(model.begin() + static_cast<std::ptrdiff_t>(std::min(at, model.size())), value);
            } else {
                const std::size_t at = random() % model.size();
                chunked.erase(at);
                model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
            }
        }
        expectSame(chunked, model);
    }
    EXPECT_EQ(chunked.takeAll(), model);
    EXPECT_TRUE(chunked.empty());
}

TEST(ChunkedVector, SortedInsertionByUpperBoundKeepsEqualValuesInArrivalOrder)
{
    std::mt19937 random(5);
    ChunkedVector<std::pair<int, int>> chunked; // (key, arrival)
    const auto byKey = [](const std::pair<int, int>& a, const std::pair<int, int>& b) {
        return a.first < b.first;
    };
    std::vector<std::pair<int, int>> model;
    for (int arrival = 0; arrival < 4000; ++arrival) {
        const std::pair<int, int> value{static_cast<int>(random() % 300), arrival};
        chunked.insert(chunked.upperBound(value, byKey), value);
        model.push_back(value);
    }
    std::stable_sort(model.begin(), model.end(), byKey);
    EXPECT_EQ(chunked.takeAll(), model);
}

} // namespace
} // namespace ostrevo::detail
