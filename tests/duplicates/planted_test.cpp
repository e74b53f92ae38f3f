// Recall and precision of each strictness on a generated list with planted duplicates.
#include "duplicates/duplicatefinder.h"
#include "duplicates/textfold.h"
#include "planted.h"

#include <gtest/gtest.h>
#include <set>

TEST(PlantedDuplicates, EachLevelFindsThePlantedPairsAndFewOthers)
{
    const PlantedList list = GeneratePeople(6000, 500, 31);
    std::vector<MatchKeys> keys;
    for (const Contact& contact : list.contacts)
        keys.push_back(KeysOf(contact, QStringLiteral("US")));
    const std::set<std::pair<long, long>> planted(list.duplicates.begin(), list.duplicates.end());

    for (const MatchLevel level : {MatchLevel::Exact, MatchLevel::Likely, MatchLevel::Possible}) {
        std::size_t found = 0;
        std::size_t pairs = 0;
        for (const DuplicateGroup& group : FindDuplicateGroups(keys, level)) {
            pairs += group.pairs.size();
            for (const MatchedPair& pair : group.pairs)
                found += planted.count({pair.first, pair.second});
        }
        const double recall = 100.0 * double(found) / double(planted.size());
        const double falsePairs = pairs ? 100.0 * double(pairs - found) / double(pairs) : 0;
        std::printf("%-8s recall %5.1f %%  false pairs %5.2f %% (%zu of %zu)\n", qPrintable(LevelName(level)), recall,
                    falsePairs, pairs - found, pairs);
        if (level == MatchLevel::Exact) {
            EXPECT_EQ(pairs, found) << "exact matched people who are not the same";
            EXPECT_GT(found, 0U);
        }
        if (level == MatchLevel::Likely) {
            EXPECT_GE(recall, 95.0);
            EXPECT_LT(falsePairs, 2.0);
        }
        if (level == MatchLevel::Possible) {
            EXPECT_GE(recall, 98.0);
        }
    }
}
