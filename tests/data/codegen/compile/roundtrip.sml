<S1F1 P Are You There
>

<S1F2 S On Line Data
  <L 2 
    <A 6 MDLN >
    <A 6 SOFTREV >
  >
>

<S2F17 P Date and Time Request
>

<S2F18 S Date and Time Data
  <A 16 TIME >
>

<S2F33 P Every Item Type
  <L 17 Top 
    <A 10 Name >
    <BINARY 1 Flag >
    <BINARY 4 Bits >
    <BOOL 1 On >
    <BOOL 3 Switches >
    <L 2 Fixed 
      <I1 1 a1 >
      <I1 2 a2 >
    >
    <I2 1 b1 >
    <I2 3 b3 >
    <I4 1 c1 >
    <I4 2 c2 >
    <L n Rows 
      <L 3 Row 
        <I8 1 d1 >
        <L 3 Cell 
          <U1 1 e1 >
          <U1 4 e4 >
          <L n Deep 
            <L 3 Leaf 
              <U2 1 f1 >
              <U2 2 f2 >
              <U4 1 g1 >
            >
          >
        >
        <U4 3 g3 >
      >
    >
    <U8 1 h1 >
    <U8 2 h2 >
    <F4 1 i1 >
    <F4 2 i2 >
    <F8 1 j1 >
    <F8 3 j3 >
  >
>

<S2F35 P Every Array Type
  <L 12 Arrays 
    <BINARY 3 b1 >
    <BOOL 3 b >
    <I1 3 i1 >
    <I2 3 i2 >
    <I4 3 i4 >
    <I8 3 i8 >
    <U1 3 u1 >
    <U2 3 u2 >
    <U4 3 u4 >
    <U8 3 u8 >
    <F4 3 f4 >
    <F8 3 f8 >
  >
>

<S5F5 P List Alarms Request
  <L n ALIDs 
    <U4 1 ALID >
  >
>

<S6F11 P Event Report Send
  <L 3 REPORT 
    <U4 1 DATAID >
    <U4 1 CEID >
    <L n RPT 
      <L 2 ITEM 
        <U4 1 RPTID >
        <L n V 
          <A 40 VALUE >
        >
      >
    >
  >
>

<S6F12 S Event Report Acknowledge
  <BINARY 1 ACKC6 >
>

<S9F11 S Data Too Long
  <BINARY 10 MHEAD >
>

