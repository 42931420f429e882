#include "tools/islands/exact_solver.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <map>
#include <numeric>

namespace islands {

namespace {

// A set of numbers of radiated areas (an island has at most 159 cells).
using Counts = std::bitset<256>;

// Beyond this many partial sums in one step the frontier is given up on.
constexpr size_t kMostStates = size_t{1} << 18;

// `radiated` of the unknown cells `members` are radiated: what one explored
// digit says once its explored neighbours are taken off.
struct Rule {
  std::vector<int> members;  // ascending
  int radiated;
};

struct Board {
  std::vector<int> unknown;  // ascending
  std::vector<Rule> rules;
  int hiddenRadiated = 0;    // radiated areas among the unknown cells
  bool consistent = true;
};

bool Unknown(const TIslandCell& cell) { return !cell.isSea && !cell.isExplored; }

Board ReadBoard(const TIsland& island, int radiatedTotal) {
  Board board;
  board.hiddenRadiated = radiatedTotal;
  for (int d = 1; d <= island.LastCell(); ++d) {
    const TIslandCell& cell = island.Cell(d);
    if (Unknown(cell)) board.unknown.push_back(d);
    if (!cell.isSea && cell.isExplored && cell.isRadiated) --board.hiddenRadiated;
  }
  for (int d = 1; d <= island.LastCell(); ++d) {
    const TIslandCell& cell = island.Cell(d);
    if (cell.isSea || !cell.KnownSafe()) continue;
    Rule rule{{}, cell.radiatedNeighbours};
    for (int i = 0; i < cell.NeighbourTotal(); ++i) {
      int neighbour = cell.Neighbour(i);
      if (!island.HasCell(neighbour)) continue;
      const TIslandCell& other = island.Cell(neighbour);
      if (Unknown(other)) {
        rule.members.push_back(neighbour);
      } else if (!other.isSea && other.isRadiated) {
        --rule.radiated;
      }
    }
    std::sort(rule.members.begin(), rule.members.end());
    rule.members.erase(std::unique(rule.members.begin(), rule.members.end()), rule.members.end());
    if (rule.radiated < 0 || rule.radiated > static_cast<int>(rule.members.size())) {
      board.consistent = false;
    } else if (!rule.members.empty()) {
      board.rules.push_back(std::move(rule));
    }
  }
  if (board.hiddenRadiated < 0) board.consistent = false;
  return board;
}

int FindRoot(std::vector<int>& parent, int x) {
  while (parent[x] != x) x = parent[x] = parent[parent[x]];
  return x;
}

// Groups of frontier cells tied together by shared rules, each with the
// indices of its rules. Cells outside every rule are left out.
struct Component {
  std::vector<int> cells;
  std::vector<int> rules;
};

std::vector<Component> SplitFrontier(const Board& board) {
  std::vector<int> parent(kMaxIslandCells + 1);
  std::iota(parent.begin(), parent.end(), 0);
  std::vector<bool> frontier(kMaxIslandCells + 1, false);
  for (const Rule& rule : board.rules) {
    for (int member : rule.members) {
      frontier[member] = true;
      parent[FindRoot(parent, member)] = FindRoot(parent, rule.members[0]);
    }
  }
  std::map<int, Component> byRoot;
  for (int cell : board.unknown) {
    if (frontier[cell]) byRoot[FindRoot(parent, cell)].cells.push_back(cell);
  }
  for (size_t k = 0; k < board.rules.size(); ++k) {
    byRoot[FindRoot(parent, board.rules[k].members[0])].rules.push_back(static_cast<int>(k));
  }
  std::vector<Component> components;
  for (auto& [root, component] : byRoot) components.push_back(std::move(component));
  return components;
}

// Visiting order that keeps few rules half-decided at a time: breadth first
// through shared rules, from a cell at the far end of the group.
std::vector<int> OrderCells(const Board& board, const Component& component) {
  std::map<int, std::vector<int>> linked;
  for (int k : component.rules) {
    for (int a : board.rules[k].members) {
      for (int b : board.rules[k].members) {
        if (a != b) linked[a].push_back(b);
      }
    }
  }
  auto breadthFirst = [&](int start) {
    std::vector<int> order{start};
    std::vector<bool> seen(kMaxIslandCells + 1, false);
    seen[start] = true;
    for (size_t next = 0; next < order.size(); ++next) {
      for (int other : linked[order[next]]) {
        if (!seen[other]) {
          seen[other] = true;
          order.push_back(other);
        }
      }
    }
    return order;
  };
  return breadthFirst(breadthFirst(component.cells.front()).back());
}

// One rule's part in one step of the enumeration.
struct RuleStep {
  int slot;       // index of its partial sum before the step, -1 when it starts here
  bool holds;     // the step's cell is a member
  bool closes;    // the step decides its last member
  int remaining;  // members decided after this step
  int radiated;
};

using State = std::vector<uint8_t>;  // partial sums of the rules in progress

bool Advance(const std::vector<RuleStep>& rules, const State& state, int value, State& next) {
  next.clear();
  for (const RuleStep& rule : rules) {
    int sum = (rule.slot >= 0 ? state[rule.slot] : 0) + (rule.holds ? value : 0);
    if (sum > rule.radiated || sum + rule.remaining < rule.radiated) return false;
    if (!rule.closes) next.push_back(static_cast<uint8_t>(sum));
  }
  return true;
}

std::vector<std::vector<RuleStep>> PlanSteps(const Board& board, const Component& component,
                                             const std::vector<int>& order) {
  std::vector<int> position(kMaxIslandCells + 1, -1);
  for (size_t i = 0; i < order.size(); ++i) position[order[i]] = static_cast<int>(i);
  struct Span {
    int rule, first, last;
  };
  std::vector<Span> spans;
  for (int k : component.rules) {
    Span span{k, static_cast<int>(order.size()), -1};
    for (int member : board.rules[k].members) {
      span.first = std::min(span.first, position[member]);
      span.last = std::max(span.last, position[member]);
    }
    spans.push_back(span);
  }
  std::vector<std::vector<RuleStep>> steps(order.size());
  std::vector<int> open;  // spans in progress, in slot order
  for (int i = 0; i < static_cast<int>(order.size()); ++i) {
    std::vector<int> touched;
    for (size_t slot = 0; slot < open.size(); ++slot) touched.push_back(static_cast<int>(slot));
    for (size_t s = 0; s < spans.size(); ++s) {
      if (spans[s].first == i) {
        open.push_back(static_cast<int>(s));
        touched.push_back(-1 - static_cast<int>(s));
      }
    }
    std::vector<int> stillOpen;
    for (int t : touched) {
      int s = t >= 0 ? open[t] : -1 - t;
      const Rule& rule = board.rules[spans[s].rule];
      int remaining = 0;
      bool holds = false;
      for (int member : rule.members) {
        remaining += position[member] > i;
        holds = holds || position[member] == i;
      }
      bool closes = spans[s].last == i;
      steps[i].push_back({t >= 0 ? t : -1, holds, closes, remaining, rule.radiated});
      if (!closes) stillOpen.push_back(s);
    }
    open = stillOpen;
  }
  return steps;
}

// For every cell of a group: the totals of radiated areas in the group with
// which the cell can be safe, and those with which it can be radiated.
struct GroupCounts {
  std::vector<int> cells;
  Counts totals;                     // totals the group can hold at all
  std::vector<std::array<Counts, 2>> byValue;
  bool tooComplex = false;
};

Counts SumSet(const Counts& a, const Counts& b) {
  Counts sums;
  for (size_t k = 0; k < a.size(); ++k) {
    if (a[k]) sums |= b << k;
  }
  return sums;
}

// Enumerates the group step by step, merging the placements that leave the
// same partial sums: forward, the totals so far; backward, the totals still
// possible; together, the totals through each choice of each cell.
GroupCounts CountGroup(const Board& board, const Component& component) {
  GroupCounts group;
  group.cells = OrderCells(board, component);
  std::vector<std::vector<RuleStep>> steps = PlanSteps(board, component, group.cells);
  size_t n = group.cells.size();
  struct Layer {
    std::vector<State> states;
    std::vector<Counts> before, after;
    std::vector<std::array<int, 2>> next;
  };
  std::vector<Layer> layers(n + 1);
  layers[0].states.push_back({});
  layers[0].before.push_back(Counts().set(0));
  State moved;
  for (size_t i = 0; i < n; ++i) {
    Layer& layer = layers[i];
    Layer& following = layers[i + 1];
    std::map<State, int> index;
    layer.next.assign(layer.states.size(), {-1, -1});
    for (size_t a = 0; a < layer.states.size(); ++a) {
      for (int value = 0; value < 2; ++value) {
        if (!Advance(steps[i], layer.states[a], value, moved)) continue;
        auto [place, added] = index.try_emplace(moved, static_cast<int>(following.states.size()));
        if (added) {
          following.states.push_back(moved);
          following.before.push_back(Counts());
        }
        layer.next[a][value] = place->second;
        following.before[place->second] |= layer.before[a] << value;
      }
    }
    if (following.states.size() > kMostStates) {
      group.tooComplex = true;
      return group;
    }
  }
  if (layers[n].states.empty()) return group;  // no placement fits: totals stay empty
  group.totals = layers[n].before[0];
  layers[n].after.assign(1, Counts().set(0));
  for (size_t i = n; i-- > 0;) {
    Layer& layer = layers[i];
    layer.after.assign(layer.states.size(), Counts());
    for (size_t a = 0; a < layer.states.size(); ++a) {
      for (int value = 0; value < 2; ++value) {
        int b = layer.next[a][value];
        if (b >= 0) layer.after[a] |= layers[i + 1].after[b] << value;
      }
    }
  }
  group.byValue.resize(n);
  for (size_t i = 0; i < n; ++i) {
    const Layer& layer = layers[i];
    for (size_t a = 0; a < layer.states.size(); ++a) {
      for (int value = 0; value < 2; ++value) {
        int b = layer.next[a][value];
        if (b < 0) continue;
        group.byValue[i][value] |= SumSet(layer.before[a], layers[i + 1].after[b]) << value;
      }
    }
  }
  return group;
}

// Totals of the whole frontier that leave the cells outside it a possible
// share: between 0 and their number.
Counts Window(int hidden, int outside) {
  Counts window;
  for (int t = std::max(0, hidden - outside); t <= hidden && t < 256; ++t) window.set(t);
  return window;
}

}  // namespace

Deduction DeduceCells(const TIsland& island, int radiatedTotal) {
  Deduction deduction;
  Board board = ReadBoard(island, radiatedTotal);
  if (!board.consistent) {
    deduction.consistent = false;
    return deduction;
  }
  std::vector<GroupCounts> groups;
  for (const Component& component : SplitFrontier(board)) {
    groups.push_back(CountGroup(board, component));
    if (groups.back().tooComplex) {
      deduction.tooComplex = true;
      return deduction;
    }
  }
  int frontierCells = 0;
  for (const GroupCounts& group : groups) frontierCells += static_cast<int>(group.cells.size());
  int outside = static_cast<int>(board.unknown.size()) - frontierCells;
  int hidden = board.hiddenRadiated;

  // Totals of all groups but one, from the totals before and after it.
  size_t m = groups.size();
  std::vector<Counts> prefix(m + 1), suffix(m + 1);
  prefix[0].set(0);
  suffix[m].set(0);
  for (size_t j = 0; j < m; ++j) prefix[j + 1] = SumSet(prefix[j], groups[j].totals);
  for (size_t j = m; j-- > 0;) suffix[j] = SumSet(suffix[j + 1], groups[j].totals);
  Counts window = Window(hidden, outside);
  if ((prefix[m] & window).none()) {
    deduction.consistent = false;
    return deduction;
  }
  for (size_t j = 0; j < m; ++j) {
    Counts others = SumSet(prefix[j], suffix[j + 1]);
    Counts allowed;
    for (size_t k = 0; k < allowed.size(); ++k) {
      if (groups[j].totals[k] && ((others << k) & window).any()) allowed.set(k);
    }
    for (size_t i = 0; i < groups[j].cells.size(); ++i) {
      bool canBeSafe = (groups[j].byValue[i][0] & allowed).any();
      bool canBeRadiated = (groups[j].byValue[i][1] & allowed).any();
      if (!canBeRadiated) deduction.safe.push_back(groups[j].cells[i]);
      if (!canBeSafe) deduction.radiated.push_back(groups[j].cells[i]);
    }
  }
  if (outside > 0) {
    // The cells outside the frontier share whatever the frontier leaves.
    bool canBeSafe = (prefix[m] & Window(hidden, outside - 1)).any();
    bool canBeRadiated = (prefix[m] & Window(hidden - 1, outside - 1)).any() && hidden >= 1;
    std::vector<bool> frontier(kMaxIslandCells + 1, false);
    for (const GroupCounts& group : groups) {
      for (int cell : group.cells) frontier[cell] = true;
    }
    for (int cell : board.unknown) {
      if (frontier[cell]) continue;
      if (!canBeRadiated) deduction.safe.push_back(cell);
      if (!canBeSafe) deduction.radiated.push_back(cell);
    }
  }
  std::sort(deduction.safe.begin(), deduction.safe.end());
  std::sort(deduction.radiated.begin(), deduction.radiated.end());
  return deduction;
}

}  // namespace islands
