// Sound groups and what each bank adds, held against the plain pairwise
// method: every pair of patches judged with ComparePatches, on hundreds of
// generated sets in which names and sounds collide, with and without a Base
// set; and the cases that say what a bank adds.

#include "collection/sound_groups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "collection/banks_worth_keeping.h"
#include "collection/patch_catalogue.h"
#include "compare/patch_comparison.h"
#include "tests/compare/oracle/generated_sets.h"
#include "tests/compare/report_fixture.h"

namespace dravelin {
namespace {

using sysex::MakeSounds;
using testing::MakeBank;
using testing::MakePatch;
using testing::ReportFixture;

// Every patch of both sets in load order, with its bank's number.
struct Flat {
  const Patch* patch;
  std::size_t bank;
  bool base;
};

std::vector<Flat> Flatten(const BankSet& compare_set, const BankSet& base_set) {
  std::vector<Flat> all;
  std::size_t bank_number = 0;
  for (const BankSet* set : {&compare_set, &base_set}) {
    for (const Bank& bank : *set) {
      for (const Patch& patch : bank.patches)
        all.push_back({&patch, bank_number, set == &base_set});
      ++bank_number;
    }
  }
  return all;
}

bool SameSounds(const Flat& a, const Flat& b) {
  return ComparePatches(*a.patch, *b.patch).sounds_identical;
}

void ExpectGroupsAsPairwise(const BankSet& compare_set, const BankSet& base_set) {
  const std::vector<Flat> all = Flatten(compare_set, base_set);
  const SoundGroups groups(compare_set, base_set);
  ASSERT_EQ(groups.patch_count(), all.size());
  ASSERT_EQ(groups.bank_count(), compare_set.size() + base_set.size());
  // Numbered by first member: a patch joins the group of the first earlier
  // patch with the same sounds, or opens the next group.
  std::vector<GroupId> expected(all.size());
  GroupId next = 0;
  for (std::size_t i = 0; i < all.size(); ++i) {
    expected[i] = next;
    for (std::size_t j = 0; j < i; ++j) {
      if (SameSounds(all[i], all[j])) {
        expected[i] = expected[j];
        break;
      }
    }
    if (expected[i] == next) ++next;
  }
  ASSERT_EQ(groups.group_count(), next);
  for (std::size_t i = 0; i < all.size(); ++i) {
    const auto ordinal = static_cast<Ordinal>(i);
    ASSERT_EQ(groups.patches()[i].patch, all[i].patch);
    ASSERT_EQ(groups.bank_of(ordinal), all[i].bank);
    ASSERT_EQ(groups.IsBasePatch(ordinal), all[i].base);
    ASSERT_EQ(groups.group_of(ordinal), expected[i]) << "patch " << i;
    // A partition into classes of identical sounds, pair by pair.
    for (std::size_t j = i + 1; j < all.size(); ++j) {
      ASSERT_EQ(groups.group_of(ordinal) == groups.group_of(static_cast<Ordinal>(j)),
                SameSounds(all[i], all[j]))
          << "patches " << i << " and " << j;
    }
  }
  for (GroupId group = 0; group < next; ++group) {
    std::vector<Ordinal> members;
    std::set<std::size_t> banks;
    bool compare = false;
    bool base = false;
    for (std::size_t i = 0; i < all.size(); ++i) {
      if (expected[i] != group) continue;
      members.push_back(static_cast<Ordinal>(i));
      banks.insert(all[i].bank);
      (all[i].base ? base : compare) = true;
    }
    const std::span<const Ordinal> listed = groups.members(group);
    EXPECT_EQ(std::vector<Ordinal>(listed.begin(), listed.end()), members);
    EXPECT_EQ(groups.banks_holding(group), banks.size());
    EXPECT_EQ(groups.HoldsComparePatch(group), compare);
    EXPECT_EQ(groups.HoldsBasePatch(group), base);
  }
}

// What each Compare bank adds, patch against patch.
std::vector<BankWorth> PairwiseWorths(const BankSet& compare_set, const BankSet& base_set) {
  const std::vector<Flat> all = Flatten(compare_set, base_set);
  std::vector<BankWorth> worths(compare_set.size());
  for (std::size_t i = 0; i < all.size() && !all[i].base; ++i) {
    BankWorth& worth = worths[all[i].bank];
    worth.bank = static_cast<BankNumber>(all[i].bank);
    ++worth.patches;
    bool counted_before = false;
    bool elsewhere = false;
    bool in_base = false;
    for (std::size_t j = 0; j < all.size(); ++j) {
      if (j == i || !SameSounds(all[i], all[j])) continue;
      if (all[j].base) {
        in_base = true;
      } else if (all[j].bank != all[i].bank) {
        elsewhere = true;
      } else if (j < i) {
        counted_before = true;
      }
    }
    if (counted_before) continue;
    ++worth.sounds;
    if (elsewhere) continue;
    ++worth.only_here;
    if (!in_base) ++worth.not_in_base;
  }
  for (std::size_t b = 0; b < worths.size(); ++b) worths[b].bank = static_cast<BankNumber>(b);
  std::stable_sort(worths.begin(), worths.end(),
                   [](const BankWorth& a, const BankWorth& b) { return a.adds() > b.adds(); });
  return worths;
}

std::vector<std::array<std::size_t, 5>> Figures(const std::vector<BankWorth>& worths) {
  std::vector<std::array<std::size_t, 5>> figures;
  for (const BankWorth& w : worths) {
    figures.push_back({w.bank, w.patches, w.sounds, w.only_here, w.not_in_base});
  }
  return figures;
}

TEST(SoundGroupsTest, GroupsAndWhatBanksAddAgreeWithThePairwiseMethod) {
  const BankSet no_base;
  for (std::uint32_t seed = 0; seed < 300; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const testing::SetPair sets = testing::MakeCollidingSets(seed);
    for (const BankSet* base : {&sets.base_set, &no_base}) {
      ExpectGroupsAsPairwise(sets.compare_set, *base);
      const SoundGroups groups(sets.compare_set, *base);
      ASSERT_EQ(Figures(RankBanksByWhatTheyAdd(groups)),
                Figures(PairwiseWorths(sets.compare_set, *base)));
    }
  }
}

// The catalogue written out from pairwise judgements: its group numbers as
// ExpectGroupsAsPairwise finds them, and every other patch judged similar.
// The generated names are ASCII, so a field is the name between quotes,
// each quote doubled, a line break read as '_'.
std::string PairwiseCatalogue(const BankSet& compare_set, const BankSet& base_set) {
  const auto quoted = [](std::string_view text) {
    std::string field = "\"";
    for (char c : text) {
      field += c == '"' ? std::string("\"\"") : std::string(1, c == '\r' || c == '\n' ? '_' : c);
    }
    return field + "\"";
  };
  const std::vector<Flat> all = Flatten(compare_set, base_set);
  std::vector<const Bank*> banks;
  for (const BankSet* set : {&compare_set, &base_set}) {
    for (const Bank& bank : *set) banks.push_back(&bank);
  }
  std::vector<std::size_t> group(all.size());
  std::size_t groups = 0;
  for (std::size_t i = 0; i < all.size(); ++i) {
    group[i] = groups;
    for (std::size_t j = 0; j < i && group[i] == groups; ++j) {
      if (SameSounds(all[i], all[j])) group[i] = group[j];
    }
    if (group[i] == groups) ++groups;
  }
  std::string text = "\xEF\xBB\xBF" + std::string(kPatchCatalogueHeader) + "\r\n";
  for (std::size_t i = 0; i < all.size(); ++i) {
    std::size_t members = 0;
    std::size_t similar = 0;
    std::set<std::size_t> holding;
    for (std::size_t j = 0; j < all.size(); ++j) {
      if (group[j] == group[i]) {
        ++members;
        holding.insert(all[j].bank);
      }
      if (j != i && ComparePatches(*all[i].patch, *all[j].patch).similar) ++similar;
    }
    const Bank& bank = *banks[all[i].bank];
    text += std::string(all[i].base ? "Base" : "Compare") + "," + quoted(bank.file_name) + "," +
            quoted(bank.name) + "," + std::to_string(all[i].patch->program_number) + "," +
            quoted(all[i].patch->name) + "," + std::to_string(group[i] + 1) + "," +
            std::to_string(members) + "," + std::to_string(holding.size()) + "," +
            std::to_string(similar) + "\r\n";
  }
  return text;
}

TEST(PatchCatalogueTest, RowsAgreeWithThePairwiseMethod) {
  const BankSet no_base;
  for (std::uint32_t seed = 0; seed < 200; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    testing::SetPair sets = testing::MakeCollidingSets(seed);
    // Quotes and commas in the names of the files.
    for (BankSet* set : {&sets.compare_set, &sets.base_set}) {
      for (Bank& bank : *set) bank.file_name = "\"" + bank.name + "\", " + std::to_string(seed);
    }
    for (const BankSet* base : {static_cast<const BankSet*>(&sets.base_set), &no_base}) {
      ReportFixture f;
      ASSERT_EQ(WritePatchCatalogue(f.channel, sets.compare_set, *base), kAllIsOk);
      ASSERT_EQ(f.File(kPatchCatalogueFile), PairwiseCatalogue(sets.compare_set, *base));
    }
  }
}

TEST(BanksWorthKeepingTest, WhatABankAdds) {
  // x, y and z: sound sets of four blocks; w a set of two blocks given in
  // two slot orders with repeats.
  const auto x = MakeSounds(1, 2, 3, 4);
  const auto y = MakeSounds(5, 6, 7, 8);
  const auto z = MakeSounds(9, 10, 11, 12);
  const auto w = MakeSounds(20, 20, 21, 21);
  const auto w_again = MakeSounds(21, 20, 21, 21);
  const Bank copy = MakeBank("Copy", {MakePatch("A", 0, x), MakePatch("B", 1, y)});
  struct Case {
    const char* what;
    BankSet compare_set;
    BankSet base_set;
    // For each Compare bank in set order: patches, sounds, only here, not
    // in Base.
    std::vector<std::array<std::size_t, 4>> figures;
    std::vector<BankNumber> order;  // the ranking by what they add
  };
  const Case cases[] = {
      {"a file and its copy each add nothing the other holds",
       {copy, copy, MakeBank("Own", {MakePatch("C", 0, z)})},
       {},
       {{2, 2, 0, 0}, {2, 2, 0, 0}, {1, 1, 1, 1}},
       {2, 0, 1}},
      {"a sound held twice in one bank counts once, and only the bank holds it",
       {MakeBank("Twice", {MakePatch("A", 0, x), MakePatch("Other", 5, x), MakePatch("B", 1, y)}),
        MakeBank("Y", {MakePatch("B", 0, y)})},
       {},
       {{3, 2, 1, 1}, {1, 1, 0, 0}},
       {0, 1}},
      {"other slots and repeats are the same sound",
       {MakeBank("One", {MakePatch("W", 0, w)}), MakeBank("Two", {MakePatch("W2", 0, w_again)})},
       {},
       {{1, 1, 0, 0}, {1, 1, 0, 0}},
       {0, 1}},
      {"a Base that holds everything leaves nothing to add",
       {MakeBank("P", {MakePatch("A", 0, x)}), MakeBank("Q", {MakePatch("B", 0, y)})},
       {MakeBank("Keyboard", {MakePatch("Y", 9, y), MakePatch("X", 8, x)})},
       {{1, 1, 1, 0}, {1, 1, 1, 0}},
       {0, 1}},
      {"Base takes some; ties keep the load order; an empty bank adds nothing",
       {MakeBank("Empty", {}), MakeBank("P", {MakePatch("A", 0, x), MakePatch("C", 1, z)}),
        MakeBank("Q", {MakePatch("B", 0, y), MakePatch("W", 1, w)})},
       {MakeBank("Keyboard", {MakePatch("X", 8, x)})},
       {{0, 0, 0, 0}, {2, 2, 2, 1}, {2, 2, 2, 2}},
       {2, 1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const SoundGroups groups(c.compare_set, c.base_set);
    const std::vector<BankWorth> ranked = RankBanksByWhatTheyAdd(groups);
    ASSERT_EQ(ranked.size(), c.figures.size());
    std::vector<BankNumber> order;
    for (const BankWorth& worth : ranked) {
      order.push_back(worth.bank);
      const std::array<std::size_t, 4> figures = {worth.patches, worth.sounds, worth.only_here,
                                                  worth.not_in_base};
      EXPECT_EQ(figures, c.figures[worth.bank]) << "bank " << worth.bank;
    }
    EXPECT_EQ(order, c.order);
  }
}

}  // namespace
}  // namespace dravelin
