# Lays out a tab-separated table with a caption row as aligned columns: the
# first two left-aligned, the others right-aligned, a rule under the caption.
{ for (i = 1; i <= NF; ++i) { cell[NR, i] = $i; if (length($i) > w[i]) w[i] = length($i) } n = NR; nf = NF }
END {
  for (r = 1; r <= n; ++r) {
    line = ""
    for (i = 1; i <= nf; ++i) line = line sprintf(i < 3 ? "%-*s  " : "%*s  ", w[i], cell[r, i])
    sub(/ +$/, "", line); print line
    if (r == 1) {
      rule = ""
      for (i = 1; i <= nf; ++i) {
        dashes = ""
        for (j = 0; j < w[i]; ++j) dashes = dashes "-"
        rule = rule dashes "  "
      }
      sub(/ +$/, "", rule); print rule
    }
  }
}
