// Message names, quoted stream-functions, single- or double-quoted strings,
// binary literals and escapes.
MessageName:'S7F3' W
<L
    <A "path">
    <A 'model'>
    <L [2]
        <U4 256>
        <A "value">
    >
>
.
"S1F13" W
<L[2]
    <A[4] 'test'>
    <U4[1] 42>
>
.
'S10F3'
<L[2]
    <B[1] 0b00000101>
    <A[22] 'first line' 0x0A 'second line'>
>
.
S10F5 <L <A "say \"hi\""> <A 'C:\\dir'>>.
// A 2-byte character item: no type of ours holds it.
Greeting:'S10F9' W
<W "hello">
.
S1F1 W.
