// The reader of .tck files.

#include "varnok/tck_reader.h"

#include <cctype>
#include <cstdlib>
#include <map>
#include <utility>

namespace tck {

namespace {

struct parse_error {
  std::string msg;
};

[[noreturn]] void fail(const std::string &msg) { throw parse_error{msg}; }

std::string trim(const std::string &s) {
  size_t b = 0, e = s.size();
  while (b < e && isspace(static_cast<unsigned char>(s[b]))) b++;
  while (e > b && isspace(static_cast<unsigned char>(s[e - 1]))) e--;
  return s.substr(b, e - b);
}

std::vector<std::string> split(const std::string &s, char sep) {
  std::vector<std::string> out;
  size_t from = 0;
  for (;;) {
    const size_t at = s.find(sep, from);
    out.push_back(trim(s.substr(from, at == std::string::npos ? std::string::npos : at - from)));
    if (at == std::string::npos) return out;
    from = at + 1;
  }
}

bool is_name_start(char c) { return isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool is_name_char(char c) { return isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.'; }

bool same_letters(const std::string &a, const std::string &b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); i++)
    if (toupper(static_cast<unsigned char>(a[i])) != toupper(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

// A declared name: letters, digits, '_' and '.', not starting with a digit.
const std::string &check_name(const std::string &n, const char *what) {
  if (n.empty()) fail(std::string("missing ") + what + " name");
  if (n.size() > static_cast<size_t>(MAX_NAME)) fail(std::string(what) + " name longer than " + std::to_string(MAX_NAME) + " characters");
  if (!is_name_start(n[0])) fail(std::string("bad ") + what + " name '" + n + "'");
  for (char c : n)
    if (!is_name_char(c)) fail(std::string("bad ") + what + " name '" + n + "'");
  return n;
}

int64_t number(const std::string &t, const char *what) {
  if (t.empty()) fail(std::string("missing ") + what);
  size_t i = t[0] == '-' ? 1 : 0;
  if (i == t.size() || t.size() > 12) fail(std::string("bad ") + what + " '" + t + "'");
  for (size_t k = i; k < t.size(); k++)
    if (!isdigit(static_cast<unsigned char>(t[k]))) fail(std::string("bad ") + what + " '" + t + "'");
  const long long v = strtoll(t.c_str(), nullptr, 10);
  if (v > MAX_VALUE || v < -MAX_VALUE) fail(std::string(what) + " " + t + " out of range");
  return v;
}

// ---------------------------------------------------------------------------
// Expressions and statements.

struct token {
  enum kind_t { end, name, num, sym } kind = end;
  std::string text;
};

class lexer {
 public:
  explicit lexer(const std::string &s) : s_(s) { next(); }
  const token &peek() const { return tok_; }
  bool is(const char *sym) const { return tok_.kind != token::end && tok_.kind != token::num && tok_.text == sym; }
  token take() {
    token t = tok_;
    next();
    return t;
  }
  void expect(const char *sym) {
    if (!is(sym)) fail(std::string("expected '") + sym + "'" + where());
    next();
  }
  std::string where() const { return tok_.kind == token::end ? " at the end" : " before '" + tok_.text + "'"; }

 private:
  void next() {
    while (pos_ < s_.size() && isspace(static_cast<unsigned char>(s_[pos_]))) pos_++;
    tok_ = {};
    if (pos_ >= s_.size()) return;
    const size_t b = pos_;
    const char c = s_[pos_];
    if (is_name_start(c)) {
      while (pos_ < s_.size() && is_name_char(s_[pos_])) pos_++;
      tok_ = {token::name, s_.substr(b, pos_ - b)};
      if (tok_.text.size() > static_cast<size_t>(MAX_NAME)) fail("name longer than " + std::to_string(MAX_NAME) + " characters");
      return;
    }
    if (isdigit(static_cast<unsigned char>(c))) {
      while (pos_ < s_.size() && isdigit(static_cast<unsigned char>(s_[pos_]))) pos_++;
      tok_ = {token::num, s_.substr(b, pos_ - b)};
      return;
    }
    static const char *const two[] = {"==", "!=", "<=", ">=", "&&", "||"};
    for (const char *t : two)
      if (s_.compare(pos_, 2, t) == 0) {
        pos_ += 2;
        tok_ = {token::sym, t};
        return;
      }
    if (std::string("()[]+-*/%<>!=;").find(c) == std::string::npos)
      fail(std::string("unexpected character '") + c + "'");
    pos_++;
    tok_ = {token::sym, std::string(1, c)};
  }

  const std::string &s_;
  size_t pos_ = 0;
  token tok_;
};

// A name that expressions can use: an integer array or a clock array.
struct var_ref {
  bool clock = false;
  int decl = -1;
};

class builder {
 public:
  builder(system &s, const std::map<std::string, var_ref> &vars, bool goal) : s_(s), vars_(vars), goal_(goal) {}

  int add(op k, int a = -1, int b = -1, int64_t value = 0, int var = -1) {
    expr e;
    e.kind = k;
    e.a = a;
    e.b = b;
    e.value = value;
    e.var = var;
    s_.exprs.push_back(e);
    return static_cast<int>(s_.exprs.size()) - 1;
  }
  bool has_clock(int e) const {
    if (e < 0) return false;
    const expr &x = s_.exprs[e];
    if (x.kind == op::clock) return true;
    if (x.kind == op::var) return has_clock(x.a);
    return has_clock(x.a) || has_clock(x.b);
  }

  int parse_or(lexer &lx) {
    deeper guard(depth_);
    int l = parse_and(lx);
    while (lx.is("||") || (goal_ && lx.is("or"))) {
      lx.take();
      l = add(op::lor, l, parse_and(lx));
    }
    return l;
  }

  // The value of an assignment or the target of one.
  int parse_lvalue(lexer &lx) {
    if (lx.peek().kind != token::name) fail("expected a variable" + lx.where());
    return name_ref(lx);
  }

 private:
  struct deeper {
    explicit deeper(int &d) : d_(d) {
      if (++d_ > MAX_DEPTH) fail("expression nested deeper than " + std::to_string(MAX_DEPTH));
    }
    ~deeper() { d_--; }
    int &d_;
  };

  int parse_and(lexer &lx) {
    int l = parse_cmp(lx);
    while (lx.is("&&") || (goal_ && lx.is("and"))) {
      lx.take();
      l = add(op::land, l, parse_cmp(lx));
    }
    return l;
  }
  int parse_cmp(lexer &lx) {
    const int l = parse_sum(lx);
    static const std::pair<const char *, op> cmps[] = {{"==", op::eq}, {"!=", op::ne}, {"<=", op::le},
                                                       {">=", op::ge}, {"<", op::lt},  {">", op::gt}};
    for (const auto &[t, k] : cmps)
      if (lx.is(t)) {
        lx.take();
        return add(k, l, parse_sum(lx));
      }
    return l;
  }
  int parse_sum(lexer &lx) {
    int l = parse_prod(lx);
    while (lx.is("+") || lx.is("-")) {
      const op k = lx.take().text == "+" ? op::add : op::sub;
      l = add(k, l, parse_prod(lx));
    }
    return l;
  }
  int parse_prod(lexer &lx) {
    int l = parse_unary(lx);
    while (lx.is("*") || lx.is("/") || lx.is("%")) {
      const std::string t = lx.take().text;
      l = add(t == "*" ? op::mul : t == "/" ? op::div : op::mod, l, parse_unary(lx));
    }
    return l;
  }
  int parse_unary(lexer &lx) {
    deeper guard(depth_);
    if (lx.is("-")) {
      lx.take();
      return add(op::neg, parse_unary(lx));
    }
    if (lx.is("!") || (goal_ && lx.is("not"))) {
      lx.take();
      return add(op::lnot, parse_unary(lx));
    }
    return parse_primary(lx);
  }
  int parse_primary(lexer &lx) {
    const token &t = lx.peek();
    if (t.kind == token::num) {
      const std::string text = lx.take().text;
      if (text.size() > 10 || strtoll(text.c_str(), nullptr, 10) > MAX_VALUE) fail("constant " + text + " out of range");
      return add(op::constant, -1, -1, strtoll(text.c_str(), nullptr, 10));
    }
    if (t.kind == token::name) return name_ref(lx);
    if (lx.is("(")) {
      lx.take();
      const int e = parse_or(lx);
      lx.expect(")");
      return e;
    }
    fail("expected an expression" + lx.where());
  }
  int name_ref(lexer &lx) {
    const std::string n = lx.take().text;
    const auto it = vars_.find(n);
    if (it == vars_.end()) {
      // Labels compare as propositions do, ignoring the case of letters.
      int found = -1;
      if (goal_)
        for (size_t l = 0; l < s_.labels.size(); l++)
          if (same_letters(s_.labels[l], n)) {
            const int leaf = add(op::label, -1, -1, 0, static_cast<int>(l));
            found = found < 0 ? leaf : add(op::lor, found, leaf);
          }
      if (found < 0) fail("undeclared name '" + n + "'");
      return found;
    }
    const var_ref r = it->second;
    const int size = r.clock ? s_.clocks[r.decl].size : s_.ints[r.decl].size;
    int index = -1;
    if (lx.is("[")) {
      if (size == 1) fail("'" + n + "' is not an array");
      lx.take();
      index = parse_or(lx);
      if (has_clock(index)) fail("clock in the index of '" + n + "'");
      lx.expect("]");
    } else if (size > 1) {
      fail("array '" + n + "' used without an index");
    }
    return add(r.clock ? op::clock : op::var, index, -1, 0, r.decl);
  }

  system &s_;
  const std::map<std::string, var_ref> &vars_;
  bool goal_;
  int depth_ = 0;
};

op flipped(op c) {
  switch (c) {
    case op::lt: return op::gt;
    case op::le: return op::ge;
    case op::gt: return op::lt;
    case op::ge: return op::le;
    default: return c;
  }
}

bool is_cmp(op k) { return k == op::eq || k == op::ne || k == op::lt || k == op::le || k == op::gt || k == op::ge; }

// One conjunct of a guard into g: an integer condition, or a clock
// constraint x # e, x - y # e (or e # x, e # x - y).
void add_conjunct(system &s, builder &b, int e, guard &g) {
  const expr x = s.exprs[e];
  if (x.kind == op::land) {
    add_conjunct(s, b, x.a, g);
    add_conjunct(s, b, x.b, g);
    return;
  }
  if (!b.has_clock(e)) {
    g.conds.push_back(e);
    return;
  }
  if (!is_cmp(x.kind)) fail("clocks can only be compared, in a conjunction of clock constraints");
  if (x.kind == op::ne) fail("'!=' on clocks is not a clock constraint");
  int side = x.a, rhs = x.b;
  op c = x.kind;
  if (!b.has_clock(side)) {
    std::swap(side, rhs);
    c = flipped(c);
  }
  if (b.has_clock(rhs)) fail("a clock constraint compares clocks with an integer expression");
  clock_atom at;
  at.cmp = c;
  at.rhs = rhs;
  const expr &l = s.exprs[side];
  if (l.kind == op::clock) {
    at.x = side;
  } else if (l.kind == op::sub && s.exprs[l.a].kind == op::clock && s.exprs[l.b].kind == op::clock) {
    at.x = l.a;
    at.y = l.b;
  } else {
    fail("a clock constraint has the form x # e or x - y # e");
  }
  g.clocks.push_back(at);
}

// ---------------------------------------------------------------------------
// Declarations.

class reader {
 public:
  reader(system &s, const std::string &file) : s_(s) { s_.file = file; }

  void line(const std::string &raw) {
    std::string text = raw.substr(0, raw.find('#'));
    text = trim(text);
    if (text.empty()) return;
    std::string attrs;
    bool braces = false;
    const size_t open = text.find('{');
    if (open != std::string::npos) {
      if (text.back() != '}') fail("attributes must end with '}' at the end of the line");
      attrs = text.substr(open + 1, text.size() - open - 2);
      if (attrs.find_first_of("{}") != std::string::npos) fail("braces inside attributes");
      text = trim(text.substr(0, open));
      braces = true;
    } else if (text.find('}') != std::string::npos) {
      fail("'}' without '{'");
    }
    const std::vector<std::string> f = split(text, ':');
    const std::vector<std::pair<std::string, std::string>> at = braces ? attributes(attrs) : decltype(at){};
    const std::string &kind = f[0];
    if (kind == "system") decl_system(f, at);
    else if (kind == "event") decl_event(f, at);
    else if (kind == "process") decl_process(f, at);
    else if (kind == "clock") decl_clock(f, at);
    else if (kind == "int") decl_int(f, at);
    else if (kind == "location") decl_location(f, at);
    else if (kind == "edge") decl_edge(f, at);
    else if (kind == "sync") decl_sync(f, at);
    else fail("unknown declaration '" + kind + "'");
  }

  // The checks that need the whole file; line is the last line's number.
  void finish(int &line) {
    if (!has_system_) {
      line = 1;
      fail("no system declaration");
    }
    if (s_.processes.empty()) fail("no process");
    for (size_t p = 0; p < s_.processes.size(); p++)
      if (s_.processes[p].initial < 0) {
        line = process_line_[p];
        fail("process " + s_.processes[p].name + " has no initial location");
      }
  }

  int line_no = 0;

 private:
  static std::vector<std::pair<std::string, std::string>> attributes(const std::string &a) {
    std::vector<std::pair<std::string, std::string>> out;
    if (trim(a).empty()) return out;
    const std::vector<std::string> f = split(a, ':');
    for (size_t i = 0; i < f.size(); i += 2) {
      if (f[i].empty()) fail("missing attribute name");
      out.emplace_back(f[i], i + 1 < f.size() ? f[i + 1] : std::string());
    }
    return out;
  }
  static void fields(const std::vector<std::string> &f, size_t n, const char *form) {
    if (f.size() != n) fail(std::string("expected ") + form);
  }
  static void no_attributes(const std::vector<std::pair<std::string, std::string>> &at) {
    if (!at.empty()) fail("unknown attribute '" + at[0].first + "'");
  }
  void fresh(const std::map<std::string, int> &names, const std::string &n, const char *what) {
    if (names.count(n)) fail(std::string(what) + " " + n + " declared twice");
  }
  int find(const std::map<std::string, int> &names, const std::string &n, const char *what) {
    const auto it = names.find(n);
    if (it == names.end()) fail(std::string("undeclared ") + what + " '" + n + "'");
    return it->second;
  }

  void decl_system(const std::vector<std::string> &f, const std::vector<std::pair<std::string, std::string>> &at) {
    fields(f, 2, "system:NAME");
    if (has_system_) fail("second system declaration");
    no_attributes(at);
    s_.name = check_name(f[1], "system");
    has_system_ = true;
  }
  void decl_event(const std::vector<std::string> &f, const std::vector<std::pair<std::string, std::string>> &at) {
    fields(f, 2, "event:NAME");
    no_attributes(at);
    fresh(events_, check_name(f[1], "event"), "event");
    events_[f[1]] = static_cast<int>(s_.events.size());
    s_.events.push_back(f[1]);
  }
  void decl_process(const std::vector<std::string> &f, const std::vector<std::pair<std::string, std::string>> &at) {
    fields(f, 2, "process:NAME");
    no_attributes(at);
    fresh(processes_, check_name(f[1], "process"), "process");
    if (s_.processes.size() >= static_cast<size_t>(MAX_PROCESSES)) fail("more than " + std::to_string(MAX_PROCESSES) + " processes");
    processes_[f[1]] = static_cast<int>(s_.processes.size());
    s_.processes.push_back({});
    s_.processes.back().name = f[1];
    locations_.emplace_back();
    process_line_.push_back(line_no);
  }
  int array_size(const std::string &t) {
    const int64_t n = number(t, "size");
    if (n < 1 || n > MAX_ARRAY) fail("size " + t + " out of range 1.." + std::to_string(MAX_ARRAY));
    return static_cast<int>(n);
  }
  void fresh_var(const std::string &n) {
    if (vars_.count(n)) fail("variable " + n + " declared twice");
  }
  void decl_clock(const std::vector<std::string> &f, const std::vector<std::pair<std::string, std::string>> &at) {
    fields(f, 3, "clock:SIZE:NAME");
    no_attributes(at);
    const int size = array_size(f[1]);
    fresh_var(check_name(f[2], "clock"));
    if (s_.nb_clocks + size > MAX_CLOCKS) fail("more than " + std::to_string(MAX_CLOCKS) + " clocks");
    vars_[f[2]] = {true, static_cast<int>(s_.clocks.size())};
    s_.clocks.push_back({f[2], size, s_.nb_clocks + 1});
    s_.nb_clocks += size;
  }
  void decl_int(const std::vector<std::string> &f, const std::vector<std::pair<std::string, std::string>> &at) {
    fields(f, 6, "int:SIZE:MIN:MAX:INIT:NAME");
    no_attributes(at);
    const int size = array_size(f[1]);
    const int64_t lo = number(f[2], "minimum"), hi = number(f[3], "maximum"), init = number(f[4], "initial value");
    if (lo > hi) fail("empty range " + f[2] + ".." + f[3]);
    if (hi - lo > MAX_RANGE) fail("range " + f[2] + ".." + f[3] + " wider than " + std::to_string(MAX_RANGE));
    if (init < lo || init > hi) fail("initial value " + f[4] + " outside " + f[2] + ".." + f[3]);
    fresh_var(check_name(f[5], "variable"));
    if (s_.nb_vars + size > MAX_VARS) fail("more than " + std::to_string(MAX_VARS) + " integer variables");
    vars_[f[5]] = {false, static_cast<int>(s_.ints.size())};
    s_.ints.push_back({f[5], size, s_.nb_vars, static_cast<int32_t>(lo), static_cast<int32_t>(hi), static_cast<int32_t>(init)});
    for (int i = 0; i < size; i++) s_.var_decl.push_back(static_cast<int>(s_.ints.size()) - 1);
    s_.nb_vars += size;
  }
  int parse_expression(const std::string &text, const char *what) {
    if (text.empty()) fail(std::string("empty ") + what);
    builder b(s_, vars_, false);
    lexer lx(text);
    const int e = b.parse_or(lx);
    if (lx.peek().kind != token::end) fail(std::string("unexpected '") + lx.peek().text + "' in " + what);
    return e;
  }
  guard parse_guard(const std::string &text, const char *what) {
    guard g;
    const int e = parse_expression(text, what);
    builder b(s_, vars_, false);
    add_conjunct(s_, b, e, g);
    return g;
  }
  void decl_location(const std::vector<std::string> &f, const std::vector<std::pair<std::string, std::string>> &at) {
    fields(f, 3, "location:PROCESS:NAME{ATTRIBUTES}");
    const int p = find(processes_, f[1], "process");
    process &pr = s_.processes[p];
    fresh(locations_[p], check_name(f[2], "location"), "location");
    if (pr.locations.size() >= static_cast<size_t>(MAX_LOCATIONS)) fail("more than " + std::to_string(MAX_LOCATIONS) + " locations in process " + pr.name);
    location l;
    l.name = f[2];
    l.line = line_no;
    for (const auto &[k, v] : at) {
      if (k == "initial") {
        if (!v.empty()) fail("attribute initial takes no value");
        if (pr.initial >= 0) fail("second initial location of process " + pr.name);
        l.initial = true;
      } else if (k == "committed" || k == "urgent") {
        if (!v.empty()) fail("attribute " + k + " takes no value");
        (k == "committed" ? l.committed : l.urgent) = true;
      } else if (k == "invariant") {
        l.invariant = parse_guard(v, "invariant");
      } else if (k == "labels") {
        for (const std::string &n : split(v, ',')) l.labels.push_back(label(check_name(n, "label")));
      } else {
        fail("unknown attribute '" + k + "'");
      }
    }
    if (l.initial) pr.initial = static_cast<int>(pr.locations.size());
    locations_[p][l.name] = static_cast<int>(pr.locations.size());
    pr.locations.push_back(std::move(l));
    pr.out.emplace_back();
  }
  int label(const std::string &n) {
    const auto it = labels_.find(n);
    if (it != labels_.end()) return it->second;
    labels_[n] = static_cast<int>(s_.labels.size());
    s_.labels.push_back(n);
    return static_cast<int>(s_.labels.size()) - 1;
  }
  void decl_edge(const std::vector<std::string> &f, const std::vector<std::pair<std::string, std::string>> &at) {
    fields(f, 5, "edge:PROCESS:SOURCE:TARGET:EVENT{ATTRIBUTES}");
    edge e;
    e.process = find(processes_, f[1], "process");
    e.source = find(locations_[e.process], f[2], "location");
    e.target = find(locations_[e.process], f[3], "location");
    e.event = find(events_, f[4], "event");
    e.line = line_no;
    for (const auto &[k, v] : at) {
      if (k == "provided") e.provided = parse_guard(v, "guard");
      else if (k == "do") e.body = parse_statements(v);
      else fail("unknown attribute '" + k + "'");
    }
    s_.processes[e.process].out[e.source].push_back(static_cast<int>(s_.edges.size()));
    s_.edges.push_back(std::move(e));
  }
  std::vector<stmt> parse_statements(const std::string &text) {
    if (text.empty()) fail("empty statements");
    lexer lx(text);
    builder b(s_, vars_, false);
    int depth = 0;
    std::vector<stmt> out = sequence(lx, b, depth);
    if (lx.peek().kind != token::end) fail("unexpected '" + lx.peek().text + "' in statements");
    return out;
  }
  std::vector<stmt> sequence(lexer &lx, builder &b, int &depth) {
    std::vector<stmt> out;
    for (;;) {
      if (lx.is(";")) {
        lx.take();
        continue;
      }
      if (lx.peek().kind == token::end || lx.is("else") || lx.is("end")) return out;
      out.push_back(statement(lx, b, depth));
      if (lx.is(";")) continue;
      if (lx.peek().kind == token::end || lx.is("else") || lx.is("end")) return out;
      fail("expected ';'" + lx.where());
    }
  }
  stmt statement(lexer &lx, builder &b, int &depth) {
    stmt s;
    if (lx.is("nop")) {
      lx.take();
      return s;
    }
    if (lx.is("if")) {
      if (++depth > MAX_DEPTH) fail("statements nested deeper than " + std::to_string(MAX_DEPTH));
      lx.take();
      s.kind = stmt::branch;
      s.value = b.parse_or(lx);
      if (b.has_clock(s.value)) fail("clock in the condition of an if");
      if (!lx.is("then")) fail("expected 'then'" + lx.where());
      lx.take();
      s.then_part = sequence(lx, b, depth);
      if (lx.is("else")) {
        lx.take();
        s.else_part = sequence(lx, b, depth);
      }
      if (!lx.is("end")) fail("expected 'end'" + lx.where());
      lx.take();
      depth--;
      return s;
    }
    s.target = b.parse_lvalue(lx);
    lx.expect("=");
    s.value = b.parse_or(lx);
    if (b.has_clock(s.value)) fail("a clock is assigned an integer expression, not a clock");
    s.kind = s_.exprs[s.target].kind == op::clock ? stmt::assign_clock : stmt::assign_int;
    return s;
  }
  void decl_sync(const std::vector<std::string> &f, const std::vector<std::pair<std::string, std::string>> &at) {
    if (f.size() < 2) fail("expected sync:PROCESS@EVENT:...");
    if (f.size() - 1 > static_cast<size_t>(MAX_SYNC_PARTS)) fail("more than " + std::to_string(MAX_SYNC_PARTS) + " processes in a synchronisation");
    no_attributes(at);
    std::vector<sync_part> v;
    for (size_t i = 1; i < f.size(); i++) {
      std::string part = f[i];
      sync_part sp;
      if (!part.empty() && part.back() == '?') {
        sp.weak = true;
        part.pop_back();
      }
      const size_t a = part.find('@');
      if (a == std::string::npos) fail("expected PROCESS@EVENT, not '" + f[i] + "'");
      sp.process = find(processes_, trim(part.substr(0, a)), "process");
      sp.event = find(events_, trim(part.substr(a + 1)), "event");
      for (const sync_part &o : v)
        if (o.process == sp.process) fail("process " + s_.processes[sp.process].name + " twice in one synchronisation");
      v.push_back(sp);
    }
    s_.syncs.push_back(std::move(v));
  }

  system &s_;
  bool has_system_ = false;
  std::map<std::string, int> events_, processes_, labels_;
  std::map<std::string, var_ref> vars_;
  std::vector<std::map<std::string, int>> locations_;
  std::vector<int> process_line_;

};

}  // namespace

bool read_model(const std::string &text, const std::string &file, system &out, std::string &err) {
  out = system{};
  reader r(out, file);
  size_t from = 0;
  try {
    while (from <= text.size()) {
      const size_t nl = text.find('\n', from);
      r.line_no++;
      const std::string ln = text.substr(from, nl == std::string::npos ? std::string::npos : nl - from);
      if (ln.find('\0') != std::string::npos) fail("NUL character");
      r.line(ln);
      if (nl == std::string::npos) break;
      from = nl + 1;
    }
    r.finish(r.line_no);
  } catch (const parse_error &e) {
    err = file + ":" + std::to_string(r.line_no) + ": " + e.msg;
    return false;
  }
  return true;
}

bool parse_goal(system &s, const std::string &text, int &goal, std::vector<clock_atom> &clocks, std::string &err) {
  std::map<std::string, var_ref> vars;
  for (size_t d = 0; d < s.ints.size(); d++) vars[s.ints[d].name] = {false, static_cast<int>(d)};
  for (size_t d = 0; d < s.clocks.size(); d++) vars[s.clocks[d].name] = {true, static_cast<int>(d)};
  try {
    if (trim(text).empty()) fail("empty goal");
    builder b(s, vars, true);
    lexer lx(text);
    const int whole = b.parse_or(lx);
    if (lx.peek().kind != token::end) fail("unexpected '" + lx.peek().text + "' in the goal");
    // The conjuncts without clocks stay one condition, in their order; the
    // clock constraints become the goal's zone.
    guard g;
    add_conjunct(s, b, whole, g);
    goal = -1;
    for (int c : g.conds) goal = goal < 0 ? c : b.add(op::land, goal, c);
    if (goal < 0) goal = b.add(op::constant, -1, -1, 1);
    clocks = std::move(g.clocks);
  } catch (const parse_error &e) {
    err = e.msg;
    return false;
  }
  return true;
}

}  // namespace tck
