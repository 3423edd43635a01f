// Option letters of the clock-reduction tool.
#pragma once

#include <cstdint>

// Bits of OPT_SET. The word itself is defined by the program that links
// these modules (clockpare_constants for clockpare).
constexpr uint32_t OPT_SIM = 0x1;         // s, S: the graph is a simulation graph
constexpr uint32_t OPT_GEN_TG = 0x2;      // g: write the reduced graph (.opt.tg)
constexpr uint32_t OPT_ACT_INIT = 0x4;    // d: write the initial activity sets (.act.init)
constexpr uint32_t OPT_PRINT_ACT = 0x10;  // a: write the activity table (.act)
constexpr uint32_t OPT_PRINT_EQU = 0x20;  // e: write the equality table (.equ)
constexpr uint32_t OPT_PRINT_REN = 0x40;  // r: write the renamings (.ren)
constexpr uint32_t OPT_ACTIVITY = 0x80;   // cleared by A: no activity analysis
constexpr uint32_t OPT_EQUALITY = 0x100;  // cleared by E: no equality analysis
constexpr uint32_t OPT_LINEAR = 0x200;    // l: recorded, consulted by nothing

extern uint32_t OPT_SET;

// The bits of mask that are set in OPT_SET.
uint32_t is_option(uint32_t mask);
// 1 when arg is '-' followed only by letters of A E S a d e g h l r s (a
// lone "-" included), else 0. arg must start with '-'.
int is_simple_option(const char *arg);
// Applies the letters of a valid group from left to right; h prints the
// help text and exits with status 1.
void set_simple_options(const char *arg);
// "usage: <tool> [-h] [-s] [-aergAE] file[.tg]\n" on standard output.
void print_usage();
// The usage line and the nine help lines on standard output.
void print_help();
