// The notation of the SML description (counts optional, ranges, names for
// values that are not fixed, [W] for an optional W-bit), as used by
// SECS/GEM drivers' manuals and by Java libraries that parse it.
S1F1 W.

S1F2
<L [2]
  <A [6] MDLN>
  <A [0..20] SOFTREV>
>.

S5F1 W
<L [3]
  <B [1] 0x81>        /* ALCD */
  <U2 [1] 1001>       /* ALID */
  <A "ON FIRE">       /* ALTX */
>.

S2F33 [W]
<L [2]
  <U4 DATAID>
  <L [0..10]
    <L [2]
      <U4 RPTID>
      <L
        <U4 VID>
      >
    >
  >
>.

S2F23 W
<L [5]
  <U4 [1] 7>
  <A [6] "000010">
  <U4 [1] 3>
  <U4 [1] 1>
  <L [1..4]
    <U2 [3] 21 22 23>
  >
>.
