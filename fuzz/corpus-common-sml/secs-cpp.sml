# Named definitions: "name: SxFy [W] <item>."
s1f1_1: S1F1 W.
s1f2_1: S1F2
<L
  <A "MDLN">
  <A "SOFTREV">
>.
s6f11_report: S6F11 W <L <U4 1> <U4 100> <L>>.
