#pragma once

#include <string>

namespace lumvoucher::frame {

// Amounts in words as Chinese vouchers and cheques write them.
//
// The amount is taken to two decimals: it is first read as the 15 significant decimal digits a
// double reliably holds (so 0.285 is 0.285, not 0.28499...), then rounded half away from zero
// at the cents. Amounts whose rounded magnitude reaches 10^16, NaN and infinities give empty
// text.
//
// Conventions of the capital form (the common financial standard):
// - digits 零壹贰叁肆伍陆柒捌玖, places 拾佰仟, groups 万 亿 (10^12 is 壹万亿), then 元 角 分;
// - a ten always keeps its digit: 10 -> 壹拾元整, 100000 -> 壹拾万元整;
// - a run of inner zeros is written as one 零 (1000100 -> 壹佰万零壹佰元整,
//   1000000001.01 -> 壹拾亿零壹元零壹分), except where the standard makes it optional and only
//   the trailing zeros of the group above stand before a 仟 or a 角: no 零 there
//   (105000 -> 壹拾万伍仟元整, 100.5 -> 壹佰元伍角整; but 100005000 -> 壹亿零伍仟元整);
// - 角 zero before a non-zero 分 is written 零 (1.05 -> 壹元零伍分);
// - an amount without cents ends in 整 (after 元 or 角); one with cents does not;
// - amounts below one yuan have no 元 part (0.05 -> 伍分); zero is 零元整;
// - a negative amount that does not round to zero starts with 负.
std::string CapsNumber(double amount);

// The same wording with ordinary numerals 零一二三四五六七八九, 十百千, for reading aloud or
// showing beside the capital form: 100.5 -> 一百元五角整, 10 -> 一十元整, -3 -> 负三元整.
std::string SayCash(double amount);

}  // namespace lumvoucher::frame
